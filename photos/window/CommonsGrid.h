// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CommonsCandidate.h"

#include <QImage>
#include <QListWidget>
#include <QSize>
#include <QString>
#include <optional>
#include <vector>

namespace tarvelo {

// The photographs a Commons search found, as a grid of thumbnails to tick,
// each with the start of its author and licence under it and the whole of
// them, and its title, in its tooltip. Every text from Commons is shown as
// written, never as markup.
class CommonsGrid : public QListWidget {
    Q_OBJECT

public:
    explicit CommonsGrid(QWidget* parent = nullptr);

    // One thumbnail with its two lines under it.
    static QSize cellSize();

    // The candidates shown, in their order.
    const std::vector<CommonsCandidate>& candidates() const { return shown_; }
    // Shows candidates unticked, with blank thumbnails until they come.
    void showCandidates(std::vector<CommonsCandidate> candidates);
    void clearCandidates();
    // Candidate n's thumbnail; without one, its tooltip says the problem.
    void showThumbnail(std::size_t n, const QImage& image, const std::optional<QString>& problem);

    // The ticked candidates, in their order.
    std::vector<CommonsCandidate> chosen() const;
    // Ticks or unticks candidate n, as the teacher's click would.
    void choose(int n, bool chosen);
    void unchooseAll();

private:
    std::vector<CommonsCandidate> shown_;
};

} // namespace tarvelo
