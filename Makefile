# SPDX-FileCopyrightText: 2026 Tarvelo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# One-command entry points. Each target first installs whatever Debian
# packages are missing (scripts/install-deps), then configures and builds.
BUILD ?= build
CMAKE_EXTRA ?=
JOBS ?= $(shell nproc)

.PHONY: all deps configure build test run clean package check-package check-installed screenshots \
	format check-format check-sizes

all: build

deps:
	@scripts/install-deps

configure: deps
	cmake -S . -B "$(BUILD)" $(CMAKE_EXTRA)

build: configure
	cmake --build "$(BUILD)" -j $(JOBS)

# Headless: the GUI tests use Qt's offscreen platform.
test: build
	cd "$(BUILD)" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Every C and C++ file as .clang-format says (clang-format 16): check-format
# fails on a file that is not, format formats them in place.
check-format:
	scripts/check-format

format:
	scripts/check-format --fix

# No program file over 400 lines and no function over 60: lists every one
# that is, and fails when there is any.
check-sizes:
	@scripts/install-deps python3
	scripts/check-sizes

# The quiz reads obr/0/<n>.jpg from its working directory.
run: build
	cd data && ../"$(BUILD)"/ui/tarvelo

clean:
	rm -rf "$(BUILD)"

# Fuzz with libFuzzer (clang, ASan + UBSan) for a bounded time: fuzz loads and
# decodes photographs (corpus in fuzz-corpus/), fuzz-set reads a shared set's
# file (.tarvelo) and unpacks it into a set (fuzz-set-corpus/), fuzz-commons
# reads an answer of Commons' or Wikidata's API: the files it offers, their
# licences and credits, where to go on (fuzz-commons-corpus/). Crashes land in
# crash-* files.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
.PHONY: fuzz fuzz-set fuzz-commons test-asan bench
# $(call run_fuzzer,TARGET,CORPUS,MAX_LEN)
define run_fuzzer
	@scripts/install-deps clang libclang-rt-14-dev
	CC=clang CXX=clang++ cmake -S . -B "$(FUZZ_BUILD)" -DTARVELO_FUZZ=ON -DTARVELO_SANITIZE=ON $(CMAKE_EXTRA)
	cmake --build "$(FUZZ_BUILD)" -j $(JOBS) --target $(1)_fuzzer $(1)_fuzz_seeds
	"$(FUZZ_BUILD)/tests/fuzz/$(1)_fuzz_seeds" $(2)
	"$(FUZZ_BUILD)/tests/fuzz/$(1)_fuzzer" -max_total_time=$(FUZZ_SECONDS) -timeout=10 \
		-rss_limit_mb=2048 -max_len=$(3) -print_final_stats=1 $(2)
endef
fuzz:
	$(call run_fuzzer,picture,fuzz-corpus,65536)
fuzz-set:
	$(call run_fuzzer,shared_set,fuzz-set-corpus,131072)
fuzz-commons:
	$(call run_fuzzer,commons_answer,fuzz-commons-corpus,65536)

# Every test under AddressSanitizer and UndefinedBehaviorSanitizer.
ASAN_BUILD ?= build-asan
test-asan:
	@scripts/install-deps
	cmake -S . -B "$(ASAN_BUILD)" -DTARVELO_SANITIZE=ON $(CMAKE_EXTRA)
	cmake --build "$(ASAN_BUILD)" -j $(JOBS)
	cd "$(ASAN_BUILD)" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Timing figures for the picture box (ROUNDS rounds per photo size), then for
# importing phone photographs into an own set and for the editor's window on
# a full set (PHOTO_ROUNDS each), then for start-up (STARTUP_RUNS launches of
# the quiz and of a bare window each).
ROUNDS ?= 15
PHOTO_ROUNDS ?= 7
STARTUP_RUNS ?= 11
# Simulated pupils (seeds) for the learning benchmark.
LEARNING_SEEDS ?= 500
# Where the Windows cross build exists, tarvelo-check.exe against djpeg.exe
# under Wine as well.
bench: build
	"$(BUILD)/bench/tarvelo-bench" $(ROUNDS)
	"$(BUILD)/bench/tarvelo-photos-bench" $(PHOTO_ROUNDS)
	"$(BUILD)/bench/tarvelo-photos-window-bench" $(PHOTO_ROUNDS)
	"$(BUILD)/bench/tarvelo-startup-bench" $(STARTUP_RUNS)
	"$(BUILD)/bench/tarvelo-learning-bench" $(LEARNING_SEEDS)
	bench/commons-add-bench "$(BUILD)" $(PHOTO_ROUNDS)
	@if [ -f "$(WINDOWS_BUILD)/tools/check/tarvelo-check.exe" ]; then \
		xvfb-run -a bench/windows-check-bench "$(WINDOWS_BUILD)" \
			"$$(sed -n 's/^TARVELO_WINDOWS_DLL_DIRS:STRING=//p' "$(WINDOWS_BUILD)/CMakeCache.txt")"; \
	else \
		echo "No Windows build: make windows-build, then make bench, for tarvelo-check.exe under Wine."; \
	fi

# The Debian package in out/, built by dpkg-buildpackage from debian/ (with
# the tests, unless DEB_BUILD_OPTIONS=nocheck).
package: deps
	scripts/build-deb "$(CURDIR)/out" -b
	@ls -l "$(CURDIR)"/out/tarvelo_*.deb

# The .deb of this tree's version: out/ may hold others from older builds.
THIS_DEB = "$(CURDIR)"/out/tarvelo_$(shell dpkg-parsechangelog -S Version | sed "s/^[0-9]*://")_$(shell dpkg --print-architecture).deb

# Two builds from clean clones must give identical .debs; then lintian on the
# source and binary packages, and the autopkgtests on this machine (root).
check-package: package
	@scripts/install-deps lintian autopkgtest diffoscope-minimal
	scripts/check-reproducible "$(CURDIR)/out/reproducible"
	lintian --pedantic --info --fail-on error,warning "$(CURDIR)"/out/reproducible/tarvelo_*.changes
	scripts/check-installed $(THIS_DEB)

# The autopkgtests alone (root), against a package built without running the
# test suite in the build: for after `make test`, which ran it (CI does).
check-installed: deps
	@scripts/install-deps autopkgtest
	DEB_BUILD_OPTIONS="nocheck $$DEB_BUILD_OPTIONS" scripts/build-deb "$(CURDIR)/out" -b
	scripts/check-installed $(THIS_DEB)

# The README's window pictures in docs/, remade from the current build.
screenshots: build
	tools/screenshots "$(BUILD)"

# A thousand rounds (ENDURANCE_ROUNDS) played through the real windows,
# headless: fails on a round that goes wrong or on resident memory growing.
ENDURANCE_ROUNDS ?= 1000
.PHONY: endurance
endurance: build
	QT_QPA_PLATFORM=offscreen "$(BUILD)/tests/endurance/tarvelo-endurance" $(ENDURANCE_ROUNDS)

# Windows, cross-built with mingw-w64 against Qt and libjpeg-turbo built from
# Debian's source packages (scripts/windows-toolchain: the first run takes
# about half an hour, later ones seconds), tested under Wine on Xvfb.
WINDOWS_BUILD ?= build-windows
VERSION := $(shell sed -n 's/^project.tarvelo VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
WINDOWS_ZIP = out/tarvelo-$(VERSION)-windows-x64.zip
WINDOWS_SETUP = out/tarvelo-$(VERSION)-windows-x64-setup.exe
WINDOWS_MSI = out/tarvelo-$(VERSION)-windows-x64.msi
.PHONY: windows-build windows test-windows
windows-build:
	scripts/windows-toolchain "$(WINDOWS_BUILD)/toolchain.cmake"
	cmake -S . -B "$(WINDOWS_BUILD)" -G Ninja -C "$(WINDOWS_BUILD)/toolchain.cmake" \
		-DCMAKE_BUILD_TYPE=Release $(CMAKE_EXTRA)
	cmake --build "$(WINDOWS_BUILD)" -j $(JOBS)

# The zip (one folder Tarvelo/, runs from anywhere), the installer and the
# MSI package, in out/.
windows: windows-build
	packaging/windows/make-bundles "$(WINDOWS_BUILD)" "$(WINDOWS_ZIP)" "$(WINDOWS_SETUP)" \
		"$(WINDOWS_MSI)" "$(VERSION)"

# The test suite under Wine, then the real program and the installer.
test-windows: windows
	packaging/windows/test-windows "$(WINDOWS_BUILD)" "$(WINDOWS_ZIP)" "$(WINDOWS_SETUP)" \
		"$(WINDOWS_MSI)"
