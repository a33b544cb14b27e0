// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TempDir.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace tarvelo {

// The message of the Error that action throws; a failure if it throws none.
template <class Error> std::string messageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& e) {
        return e.what();
    } catch (const std::exception& e) {
        ADD_FAILURE() << "wrong error: " << e.what();
        return {};
    }
    ADD_FAILURE() << "no error";
    return {};
}

class PictureFile : public testing::Test {
protected:
    fixtures::TempDir dir;
};

} // namespace tarvelo
