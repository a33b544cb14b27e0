# One-command entry points. Each target first installs whatever Debian
# packages are missing (scripts/install-deps), then configures and builds.
BUILD ?= build
CMAKE_EXTRA ?=
JOBS ?= $(shell nproc)

.PHONY: all deps configure build test run clean

all: build

deps:
	@scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_EXTRA)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Headless: the GUI tests use Qt's offscreen platform.
test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The quiz reads obr/0/<n>.jpg from its working directory.
run: build
	cd data && ../$(BUILD)/ui/tarvelo

clean:
	rm -rf $(BUILD)
