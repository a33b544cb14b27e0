// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ViewItems.h"

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tarvelo {

// View items as plain records, for playing rounds without any window.

// Text, visibility and enabled state held in fields, on top of any kind of item.
template <class Item> struct PlainItemOf : Item {
    std::string value;
    bool shown = false;
    bool usable = true;

    std::string text() const override { return value; }
    void setText(const std::string& text) override { value = text; }
    bool visible() const override { return shown; }
    void setVisible(bool visible) override { shown = visible; }
    bool enabled() const override { return usable; }
    void setEnabled(bool enabled) override { usable = enabled; }
};

using PlainItem = PlainItemOf<ViewItem>;

struct PlainListItem : PlainItemOf<ListViewItem> {
    std::vector<std::string> entries;
    int selected = -1;

    std::string text() const override {
        return selected < 0 ? std::string{} : entries.at(static_cast<std::size_t>(selected));
    }
    // Selects the entry with exactly this text, as a player choosing it would;
    // any other text selects nothing.
    void setText(const std::string& text) override {
        const auto it = std::find(entries.begin(), entries.end(), text);
        selected = it == entries.end() ? -1 : static_cast<int>(it - entries.begin());
    }
    void appendEntry(const std::string& entry) override { entries.push_back(entry); }
    void clearSelection() override { selected = -1; }
};

struct PlainCheck : PlainItemOf<CheckViewItem> {
    bool isChecked = false;
    bool checked() const override { return isChecked; }
};

struct PlainWindow : PlainItemOf<WindowViewItem> {
    bool minimised = false;
    int outerWidth = 0;
    int outerHeight = 0;
    int timesBroughtForward = 0;

    void setWindowStateNormal() override { minimised = false; }
    void setOuterSize(int width, int height) override {
        outerWidth = width;
        outerHeight = height;
    }
    void showAndBringForward() override {
        shown = true;
        ++timesBroughtForward;
    }
};

// Records every path it is asked to load; a path for which failWhen answers
// true throws instead, leaving the record of shown pictures unchanged.
struct PlainPicture : PictureViewItem {
    std::vector<std::string> requested;
    std::vector<std::string> shown;
    std::function<bool(const std::string&)> failWhen = [](const std::string&) { return false; };

    void loadPicture(const std::string& path) override {
        requested.push_back(path);
        if (failWhen(path)) {
            throw std::runtime_error("Cannot load " + path);
        }
        shown.push_back(path);
    }
};

// All items of both windows in their stored start states.
struct PlainView {
    PlainListItem ComboBox1;
    PlainItem Edit1;
    PlainItem BitBtn1;
    PlainItem Label6;
    PlainItem GroupBox3;
    PlainItem Label3;
    PlainItem Label7;
    PlainPicture Image1;
    PlainItem Form1;
    PlainWindow Form2;
    PlainItem GroupBox1;
    PlainItem GroupBox2;
    PlainItem Label1;
    PlainCheck RadioButton1;
    PlainCheck RadioButton2;

    PlainView() {
        BitBtn1.value = "OK";
        BitBtn1.shown = true;
        Label7.value = "  Chyb: ";
        Form2.setText("Start page");
        GroupBox1.shown = true;
        RadioButton1.isChecked = true;
    }

    QuizView bind() { return bind(Image1); }

    // The same, with a picture area of the caller's (a real picture box).
    QuizView bind(PictureViewItem& picture) {
        return QuizView{ComboBox1, Edit1,     BitBtn1, Label6,       GroupBox3,
                        Label3,    Label7,    picture, Form1,        Form2,
                        GroupBox1, GroupBox2, Label1,  RadioButton1, RadioButton2};
    }
};

} // namespace tarvelo
