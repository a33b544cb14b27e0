// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ApiParameters.h"
#include "CommonsCandidate.h"
#include "CommonsEndpoints.h"
#include "NetworkLimits.h"
#include "PhotoSet.h"

#include <QHash>
#include <QImage>
#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace tarvelo {

class WikimediaClient;

// Free photographs of the breeds from Wikimedia Commons: finding them,
// their grid thumbnails, and adding the chosen ones to a set with their
// credits. One per window or command: it owns the network, the
// one-at-a-time queue and what was found this session. Every callback is
// called later from the event loop (never inside the call, even from the
// session's cache), and never after this is destroyed or cancel() dropped it.
class CommonsService : public QObject {
public:
    // Endpoints from the environment (CommonsEndpoints.h).
    explicit CommonsService(QObject* parent = nullptr);
    explicit CommonsService(const CommonsEndpoints& endpoints, QObject* parent = nullptr);
    ~CommonsService() override;

    // Czech, when an endpoint variable is unusable; every call then fails with it.
    std::optional<QString> endpointProblem() const { return endpoints_.problem; }

    // For tests: shorter waits and smaller bounds.
    void setLimits(const NetworkLimits& limits);

    // The breed's free photographs: its Wikipedia article's Wikidata item
    // names its Commons category, whose files come first; where that finds
    // fewer than a handful, the breed's search words add theirs.
    void findForBreed(int breed, std::function<void(const CandidateList&)> done);
    // The free photographs a search of Commons' files finds for text.
    void search(const QString& text, std::function<void(const CandidateList&)> done);
    // The files Commons has under these titles ("File:…"), judged as above;
    // the unfree ones in refusedTitles, the unknown ones in missingTitles.
    void lookUpTitles(const QStringList& titles, std::function<void(const CandidateList&)> done);

    void fetchGridThumbnail(
        const CommonsCandidate& candidate,
        std::function<void(const QImage& image, const std::optional<QString>& problem)> done);

    // Downloads each chosen photograph (at 960 or 1280 wide, photoFetchWidth)
    // and adds it to breed `breed` of `set` with its credit, in one step
    // (CommonsAddition); progress(done, total) returning false stops before
    // the next one (the teacher pressed "Zrušit"); what was added stays.
    void addToSet(PhotoSet set, int breed, std::vector<CommonsCandidate> chosen,
                  std::function<bool(int done, int total)> progress,
                  std::function<void(const CommonsAddResult&)> done);

    // Aborts the current request and drops the queued ones.
    void cancel();

private:
    struct Gathering;
    using ListDone = std::function<void(const CandidateList&)>;

    // Calls `call` from the event loop unless cancel() comes first.
    void later(std::function<void()> call);
    void gatherFiles(const QUrl& endpoint, const ApiParameters& parameters,
                     const std::shared_ptr<Gathering>& gathering, std::function<void()> then);
    void finishList(const QString& cacheKey, const std::shared_ptr<Gathering>& gathering,
                    const ListDone& done);

    CommonsEndpoints endpoints_;
    WikimediaClient* client_;
    // Bumped by cancel(): answers to what was asked before are dropped.
    quint64 generation_ = 0;
    QHash<QString, CandidateList> lists_;
    QHash<QUrl, QImage> thumbnails_;
};

} // namespace tarvelo
