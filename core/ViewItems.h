// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tarvelo {

// The quiz rules work on named view items, not on widgets. The windows bind
// these to their controls; tests bind them to plain records (PlainView.h).
class ViewItem {
public:
    virtual ~ViewItem() = default;
    // Caption, typed text or selected entry; UTF-8.
    virtual std::string text() const = 0;
    virtual void setText(const std::string& text) = 0;
    virtual bool visible() const = 0;
    virtual void setVisible(bool visible) = 0;
    virtual bool enabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;
};

// A drop-down list: text() is the selected entry, empty when none is selected.
class ListViewItem : public ViewItem {
public:
    virtual void appendEntry(const std::string& entry) = 0;
    // Leaves no entry selected; the entries stay.
    virtual void clearSelection() = 0;
};

class CheckViewItem : public ViewItem {
public:
    virtual bool checked() const = 0;
};

// A top-level window; text() is its caption.
class WindowViewItem : public ViewItem {
public:
    virtual void setWindowStateNormal() = 0;
    virtual void setOuterSize(int width, int height) = 0;
    virtual void showAndBringForward() = 0;
};

// The picture area. loadPicture throws when the photograph cannot be loaded;
// the picture on display then stays as it was.
class PictureViewItem {
public:
    virtual ~PictureViewItem() = default;
    virtual void loadPicture(const std::string& path) = 0;
};

// Every item the quiz rules touch, by the name of the control it stands for.
struct QuizView {
    // Quiz window
    ListViewItem& ComboBox1;
    ViewItem& Edit1;
    ViewItem& BitBtn1;
    ViewItem& Label6;
    ViewItem& GroupBox3;
    ViewItem& Label3;
    ViewItem& Label7;
    PictureViewItem& Image1;
    ViewItem& Form1;
    // Start window
    WindowViewItem& Form2;
    ViewItem& GroupBox1;
    ViewItem& GroupBox2;
    ViewItem& Label1;
    CheckViewItem& RadioButton1;
    CheckViewItem& RadioButton2;
};

} // namespace tarvelo
