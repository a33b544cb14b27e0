// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// JSON from outside, judged before Qt parses it.
#include "BoundedJson.h"

#include <gtest/gtest.h>

namespace tarvelo::testing {
namespace {

TEST(BoundedJsonTest, TooDeepOrTooLargeIsRefusedBeforeParsing) {
    const QByteArray normal = R"({"query":{"pages":[{"title":"File:A.jpg","imageinfo":[{}]}]}})";
    ASSERT_TRUE(boundedJsonObject(normal, 1000));
    EXPECT_EQ(jsonDepth(normal, 48), 6);
    EXPECT_FALSE(boundedJsonObject(normal, normal.size() - 1));
    const QByteArray deep = QByteArray(100, '[') + QByteArray(100, ']');
    EXPECT_FALSE(jsonDepth(deep, 48));
    EXPECT_FALSE(boundedJsonObject("{\"a\":" + deep + "}", 10'000));
    // Brackets inside strings, escaped quotes among them, are no nesting.
    const QByteArray inString = "{\"a\":\"" + QByteArray(100, '[') + "\\\"[[[\"}";
    EXPECT_EQ(jsonDepth(inString, 48), 1);
    EXPECT_TRUE(boundedJsonObject(inString, 10'000));
    // Not JSON, or not an object.
    EXPECT_FALSE(boundedJsonObject("<html>", 10'000));
    EXPECT_FALSE(boundedJsonObject("[1,2]", 10'000));
}

} // namespace
} // namespace tarvelo::testing
