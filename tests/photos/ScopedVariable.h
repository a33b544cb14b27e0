// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <optional>

namespace tarvelo::testing {

// Sets (or, with an empty value, unsets) an environment variable for one
// test, and puts it back as it was however the test ends.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const QByteArray& value)
        : name_(name),
          old_(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt) {
        set(value.isEmpty() ? std::nullopt : std::optional(value));
    }
    ~ScopedVariable() { set(old_); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    void set(const std::optional<QByteArray>& value) {
        value ? qputenv(name_, *value) : qunsetenv(name_);
    }
    const char* name_;
    std::optional<QByteArray> old_;
};

// No temporary folder to be had for one test: the system's temporary folder
// is the file `blocker`, and no private runtime folder is offered. Whatever
// still works did not go through one (makeTemporaryFolder fails meanwhile).
class WithoutTemporaryFolder {
public:
    explicit WithoutTemporaryFolder(const QByteArray& blocker)
        : tmpdir_("TMPDIR", blocker), tmp_("TMP", blocker), temp_("TEMP", blocker),
          runtime_("XDG_RUNTIME_DIR", {}) {}

private:
    ScopedVariable tmpdir_;
    ScopedVariable tmp_;
    ScopedVariable temp_;
    ScopedVariable runtime_;
};

} // namespace tarvelo::testing
