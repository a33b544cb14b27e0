// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CommonsCandidate.h"
#include "CommonsEndpoints.h"
#include "PhotoSet.h"

#include <QByteArray>
#include <functional>
#include <memory>
#include <vector>

namespace tarvelo {

class WikimediaClient;

// One adding of chosen Commons photographs to a breed of a set: each asked
// for again at the width its stored copy needs, judged again (a licence may
// have changed since the grid was shown), downloaded and added with its
// credit in one step, straight from the bytes received. One at a time, in
// the order chosen; what was added stays when a later one fails or the
// teacher stops it.
class CommonsAddition : public std::enable_shared_from_this<CommonsAddition> {
public:
    // Calls a step from the event loop, unless the service was cancelled.
    using Later = std::function<void(std::function<void()>)>;
    using Progress = std::function<bool(int done, int total)>;
    using Done = std::function<void(const CommonsAddResult&)>;

    CommonsAddition(WikimediaClient& client, CommonsEndpoints endpoints, Later later, PhotoSet set,
                    int breed, std::vector<CommonsCandidate> chosen, Progress progress, Done done);

    // Refused at once (from the event loop) when an endpoint is unusable or
    // the breed unknown; else the first photograph is asked for.
    void start();

private:
    int total() const { return static_cast<int>(chosen_.size()); }
    void addNext();
    void fetchPhotograph(const CommonsCandidate& fresh);
    void addDownloaded(const CommonsCandidate& fresh, const QByteArray& bytes);
    void skipTo(std::size_t next);
    void finish();

    WikimediaClient& client_;
    CommonsEndpoints endpoints_;
    Later later_;
    PhotoSet set_;
    int breed_;
    std::vector<CommonsCandidate> chosen_;
    Progress progress_;
    Done done_;
    CommonsAddResult result_;
    std::size_t next_ = 0;
};

} // namespace tarvelo
