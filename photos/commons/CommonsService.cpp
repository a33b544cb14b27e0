// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommonsService.h"

#include "BreedSources.h"
#include "CommonsAddition.h"
#include "CommonsAnswer.h"
#include "CommonsLicence.h"
#include "CommonsQueries.h"
#include "DownloadedImage.h"
#include "ForeignText.h"
#include "WikimediaClient.h"

#include <QSet>
#include <QTimer>

namespace tarvelo {

namespace {

// The teacher's words for a search: a line, not an essay.
constexpr qsizetype searchCharacters = 200;
// Grid thumbnails kept for the session: a few breeds' worth.
constexpr qsizetype thumbnailsKept = 500;

QString moreThanFetched() {
    return QStringLiteral("Na Wikimedia Commons je víc souborů, než program načetl; ukazuje jen "
                          "ty první. Další najdete, když budete hledat přesnější slova.");
}

QString noSuchBreed(int breed) {
    return QStringLiteral("Plemeno číslo %1 v kvízu není.").arg(breed);
}

} // namespace

struct CommonsService::Gathering {
    CandidateList list;
    QSet<QString> seen;
    int files = 0;
    // Answers asked for so far, at most answersAtMost.
    int answers = 0;
};

CommonsService::CommonsService(QObject* parent)
    : CommonsService(endpointsFromEnvironment(), parent) {}

CommonsService::CommonsService(const CommonsEndpoints& endpoints, QObject* parent)
    : QObject(parent), endpoints_(endpoints),
      client_(new WikimediaClient(endpoints.plainEndpoints(), this)) {}

CommonsService::~CommonsService() = default;

void CommonsService::setLimits(const NetworkLimits& limits) {
    client_->setLimits(limits);
}

void CommonsService::later(std::function<void()> call) {
    QTimer::singleShot(0, this, [this, generation = generation_, call = std::move(call)] {
        if (generation == generation_) {
            call();
        }
    });
}

void CommonsService::cancel() {
    ++generation_;
    client_->cancel();
}

void CommonsService::gatherFiles(const QUrl& endpoint, const ApiParameters& parameters,
                                 const std::shared_ptr<Gathering>& gathering,
                                 std::function<void()> then) {
    if (gathering->answers >= answersAtMost) {
        gathering->list.notice = moreThanFetched();
        then();
        return;
    }
    ++gathering->answers;
    client_->api(endpoint, parameters,
                 [this, endpoint, parameters, gathering, then = std::move(then)](
                     const QJsonObject& answer, const std::optional<QString>& problem) {
                     if (problem) {
                         gathering->list.problem = problem;
                         then();
                         return;
                     }
                     CandidateList& list = gathering->list;
                     AnswerFiles files = filesOfAnswer(answer);
                     gathering->files += static_cast<int>(files.candidates.size()) +
                                         static_cast<int>(files.refusedTitles.size());
                     for (CommonsCandidate& candidate : files.candidates) {
                         if (!gathering->seen.contains(candidate.title)) {
                             gathering->seen.insert(candidate.title);
                             list.candidates.push_back(std::move(candidate));
                         }
                     }
                     for (const QString& title : files.refusedTitles) {
                         if (!gathering->seen.contains(title)) {
                             gathering->seen.insert(title);
                             ++list.refused;
                             list.refusedTitles << title;
                         }
                     }
                     list.missingTitles << files.missingTitles;
                     if (files.continuation.isEmpty()) {
                         then();
                         return;
                     }
                     if (gathering->files >= filesAtMost || gathering->answers >= answersAtMost) {
                         list.notice = moreThanFetched();
                         then();
                         return;
                     }
                     gatherFiles(endpoint, continued(parameters, files.continuation), gathering,
                                 then);
                 });
}

void CommonsService::finishList(const QString& cacheKey,
                                const std::shared_ptr<Gathering>& gathering, const ListDone& done) {
    if (!gathering->list.problem) {
        lists_.insert(cacheKey, gathering->list);
    }
    done(gathering->list);
}

void CommonsService::findForBreed(int breed, std::function<void(const CandidateList&)> done) {
    if (endpoints_.problem || breed < 0 || breed >= breedCount) {
        CandidateList failed;
        failed.problem = endpoints_.problem ? *endpoints_.problem : noSuchBreed(breed);
        later([done = std::move(done), failed] { done(failed); });
        return;
    }
    const QString key = QStringLiteral("breed:%1").arg(breed);
    if (const auto cached = lists_.constFind(key); cached != lists_.constEnd()) {
        later([done = std::move(done), list = *cached] { done(list); });
        return;
    }
    const BreedSource& source = breedSource(breed);
    const QString words = QString::fromUtf8(source.searchWords.data(),
                                            static_cast<qsizetype>(source.searchWords.size()));
    auto gathering = std::make_shared<Gathering>();
    // The last step: the search, when the category gave too few.
    auto searchIfFew = [this, gathering, words, key, done] {
        if (gathering->list.problem ||
            gathering->list.candidates.size() >= static_cast<std::size_t>(enoughCandidates)) {
            finishList(key, gathering, done);
            return;
        }
        gatherFiles(endpoints_.commons, searchFilesParameters(words), gathering,
                    [this, gathering, key, done] { finishList(key, gathering, done); });
    };
    if (source.article.empty()) {
        later(searchIfFew);
        return;
    }
    client_->api(endpoints_.wikidata, entityParameters(source),
                 [this, gathering, searchIfFew](const QJsonObject& answer,
                                                const std::optional<QString>& problem) {
                     if (problem) {
                         gathering->list.problem = problem;
                         searchIfFew();
                         return;
                     }
                     const std::optional<QString> category = commonsCategory(answer);
                     if (!category) {
                         searchIfFew();
                         return;
                     }
                     gatherFiles(endpoints_.commons, categoryFilesParameters(*category), gathering,
                                 searchIfFew);
                 });
}

void CommonsService::search(const QString& text, std::function<void(const CandidateList&)> done) {
    const QString words =
        plainText(text, TextBounds{.characters = searchCharacters, .lines = 1}).simplified();
    if (endpoints_.problem || words.isEmpty()) {
        CandidateList failed;
        failed.problem =
            endpoints_.problem ? *endpoints_.problem : QStringLiteral("Napište, co se má hledat.");
        later([done = std::move(done), failed] { done(failed); });
        return;
    }
    const QString key = QStringLiteral("search:") + words;
    if (const auto cached = lists_.constFind(key); cached != lists_.constEnd()) {
        later([done = std::move(done), list = *cached] { done(list); });
        return;
    }
    auto gathering = std::make_shared<Gathering>();
    gatherFiles(
        endpoints_.commons, searchFilesParameters(words), gathering,
        [this, gathering, key, done = std::move(done)] { finishList(key, gathering, done); });
}

void CommonsService::lookUpTitles(const QStringList& titles,
                                  std::function<void(const CandidateList&)> done) {
    std::optional<QString> refusal = endpoints_.problem;
    if (!refusal && (titles.isEmpty() || titles.size() > titlesPerAnswer)) {
        refusal =
            QStringLiteral("Zadejte jeden až %1 souborů z Wikimedia Commons.").arg(titlesPerAnswer);
    }
    // '|' separates the titles in the question: one inside a title would
    // ask for others.
    for (const QString& title : titles) {
        if (!refusal && (title.contains(QLatin1Char('|')) ||
                         title != plainText(title, TextBounds{.characters = 255, .lines = 1}))) {
            refusal = QStringLiteral("Takový soubor na Wikimedia Commons být nemůže: „%1“.")
                          .arg(quotedName(title));
        }
    }
    if (refusal) {
        CandidateList failed;
        failed.problem = refusal;
        later([done = std::move(done), failed] { done(failed); });
        return;
    }
    auto gathering = std::make_shared<Gathering>();
    gatherFiles(endpoints_.commons, titlesParameters(titles, gridThumbnailWidth), gathering,
                [gathering, done = std::move(done)] { done(gathering->list); });
}

void CommonsService::fetchGridThumbnail(
    const CommonsCandidate& candidate,
    std::function<void(const QImage& image, const std::optional<QString>& problem)> done) {
    const QUrl url = candidate.gridThumbnail;
    if (const auto cached = thumbnails_.constFind(url); cached != thumbnails_.constEnd()) {
        later([done = std::move(done), image = *cached] { done(image, std::nullopt); });
        return;
    }
    if (endpoints_.problem || !mayFetch(url, endpoints_.plainEndpoints())) {
        const QString problem = endpoints_.problem.value_or(
            QStringLiteral("Náhled fotografie „%1“ nemá zabezpečenou adresu; program ho "
                           "neotevře.")
                .arg(quotedName(candidate.title)));
        later([done = std::move(done), problem] { done(QImage(), problem); });
        return;
    }
    client_->download(url, client_->limits().thumbnailBytes,
                      [this, url, done = std::move(done)](const QByteArray& bytes,
                                                          const std::optional<QString>& problem) {
                          if (problem) {
                              done(QImage(), problem);
                              return;
                          }
                          const DecodedThumbnail decoded = decodeThumbnail(bytes);
                          if (!decoded.problem) {
                              if (thumbnails_.size() >= thumbnailsKept) {
                                  thumbnails_.clear();
                              }
                              thumbnails_.insert(url, decoded.image);
                          }
                          done(decoded.image, decoded.problem);
                      });
}

void CommonsService::addToSet(PhotoSet set, int breed, std::vector<CommonsCandidate> chosen,
                              std::function<bool(int done, int total)> progress,
                              std::function<void(const CommonsAddResult&)> done) {
    std::make_shared<CommonsAddition>(
        *client_, endpoints_, [this](std::function<void()> call) { later(std::move(call)); },
        std::move(set), breed, std::move(chosen), std::move(progress), std::move(done))
        ->start();
}

} // namespace tarvelo
