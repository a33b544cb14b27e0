// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// CommonsService against the made-up Commons on 127.0.0.1: what it finds
// for a breed and in what order, how it treats Wikimedia's servers, what it
// does when they fail, and what adding the chosen photographs does to a set.
#include "CommonsService.h"

#include "../ScopedVariable.h"
#include "FakeCommons.h"
#include "ForeignText.h"
#include "PhotoSet.h"
#include "SetCredits.h"
#include "TemporaryFolder.h"
#include "WikimediaClient.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <tuple>
#include <vector>

using namespace tarvelo;
using fake::Faults;
using fake::RecordedRequest;
using tarvelo::testing::ScopedVariable;

namespace {

constexpr int jersey = 16;
constexpr int hereford = 4;

// Runs the event loop until done() or the time is up.
bool waitUntil(const std::function<bool()>& done, int milliseconds = 15'000) {
    const QDeadlineTimer deadline(milliseconds);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    }
    return done();
}

void runFor(int milliseconds) {
    waitUntil([] { return false; }, milliseconds);
}

QStringList titlesOf(const CandidateList& list) {
    QStringList titles;
    for (const CommonsCandidate& candidate : list.candidates) {
        titles << candidate.title;
    }
    return titles;
}

const CommonsCandidate* named(const CandidateList& list, const QString& title) {
    for (const CommonsCandidate& candidate : list.candidates) {
        if (candidate.title == title) {
            return &candidate;
        }
    }
    return nullptr;
}

class CommonsServiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.listen());
        const QString api = server.apiUrl().toString();
        service = std::make_unique<CommonsService>(endpointsFrom(api, api));
        service->setLimits(limits);
    }

    CandidateList find(int breed) {
        std::optional<CandidateList> found;
        service->findForBreed(breed, [&](const CandidateList& list) { found = list; });
        EXPECT_FALSE(found) << "called back inside the call";
        EXPECT_TRUE(waitUntil([&] { return found.has_value(); }));
        return found.value_or(CandidateList{});
    }

    CandidateList searchFor(const QString& text) {
        std::optional<CandidateList> found;
        service->search(text, [&](const CandidateList& list) { found = list; });
        EXPECT_TRUE(waitUntil([&] { return found.has_value(); }));
        return found.value_or(CandidateList{});
    }

    std::pair<QImage, std::optional<QString>> thumbnail(const CommonsCandidate& candidate) {
        std::optional<std::pair<QImage, std::optional<QString>>> got;
        service->fetchGridThumbnail(
            candidate, [&](const QImage& image, const std::optional<QString>& problem) {
                got.emplace(image, problem);
            });
        EXPECT_FALSE(got) << "called back inside the call";
        EXPECT_TRUE(waitUntil([&] { return got.has_value(); }));
        return got.value_or(std::pair<QImage, std::optional<QString>>{});
    }

    CommonsAddResult add(const PhotoSet& set, int breed, std::vector<CommonsCandidate> chosen,
                         std::function<bool(int, int)> progress = {}) {
        std::optional<CommonsAddResult> result;
        service->addToSet(set, breed, std::move(chosen), std::move(progress),
                          [&](const CommonsAddResult& added) { result = added; });
        EXPECT_TRUE(waitUntil([&] { return result.has_value(); }, 30'000));
        return result.value_or(CommonsAddResult{});
    }

    PhotoSet newSet() {
        PhotoSet set(folder.filePath(QStringLiteral("sada")),
                     QStringLiteral(TARVELO_SOURCE_DRAWINGS));
        EXPECT_TRUE(set.ensureComplete());
        return set;
    }

    std::vector<RecordedRequest> requestsFor(const QString& path) const {
        std::vector<RecordedRequest> found;
        for (const RecordedRequest& request : server.requests()) {
            if (request.path.startsWith(path)) {
                found.push_back(request);
            }
        }
        return found;
    }

    // A stalled server is waited for this long, in the tests that stall it:
    // the others keep the usual limits, so a busy machine fails none.
    void stallFor(std::chrono::milliseconds transfer, std::chrono::milliseconds deadline) {
        limits.transferTimeout = transfer;
        limits.deadline = deadline;
        service->setLimits(limits);
        server.faults().stall = true;
    }

    NetworkLimits limits = [] {
        NetworkLimits shortened;
        shortened.lagWait = std::chrono::milliseconds(500);
        return shortened;
    }();
    fake::FakeCommons server;
    std::unique_ptr<CommonsService> service;
    QTemporaryDir folder;
};

} // namespace

TEST_F(CommonsServiceTest, BreedsCategoryIsFollowedThroughContinueAsAGoodCitizen) {
    const CandidateList charolais = find(0);
    EXPECT_FALSE(charolais.problem) << charolais.problem.value_or(QString()).toStdString();
    // Sixty files on two pages, two of them under no free licence.
    EXPECT_EQ(charolais.candidates.size(), 58u);
    EXPECT_EQ(charolais.refused, 2);
    EXPECT_TRUE(charolais.refusedTitles.contains(QStringLiteral("File:Charolais 07.jpg")));
    EXPECT_EQ(charolais.candidates.front().title, QStringLiteral("File:Charolais 01.jpg"));
    EXPECT_EQ(charolais.candidates.back().title, QStringLiteral("File:Charolais 60.jpg"));

    const std::vector<RecordedRequest>& requests = server.requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].value("action"), QStringLiteral("wbgetentities"));
    EXPECT_EQ(requests[0].value("sites"), QStringLiteral("enwiki"));
    EXPECT_EQ(requests[0].value("titles"), QStringLiteral("Charolais cattle"));
    EXPECT_EQ(requests[1].value("generator"), QStringLiteral("categorymembers"));
    EXPECT_EQ(requests[1].value("gcmtitle"), QStringLiteral("Category:Charolais cattle"));
    EXPECT_EQ(requests[1].value("iiurlwidth"), QStringLiteral("330"));
    // The continue object whole: the server refuses a token without its
    // continue member, and the second page came.
    EXPECT_EQ(requests[2].value("continue"), QStringLiteral("gcmcontinue||"));
    EXPECT_TRUE(requests[2].value("gcmcontinue").endsWith(QLatin1String("|50")));
    for (const RecordedRequest& request : requests) {
        EXPECT_EQ(request.userAgent, WikimediaClient::userAgent());
        EXPECT_TRUE(request.userAgent.startsWith("Tarvelo/1.0.0 (")) << request.userAgent.data();
        EXPECT_FALSE(request.userAgent.contains("Mozilla"));
        EXPECT_EQ(request.value("format"), QStringLiteral("json"));
        EXPECT_EQ(request.value("formatversion"), QStringLiteral("2"));
        EXPECT_EQ(request.value("maxlag"), QStringLiteral("5"));
        EXPECT_FALSE(request.overlapped);
    }

    // The same breed again costs nothing, and still answers later.
    server.forgetRequests();
    EXPECT_EQ(titlesOf(find(0)), titlesOf(charolais));
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(CommonsServiceTest, TooFewInTheCategoryOrNoneAtAllFallsBackToTheSearch) {
    // Hereford: three in its category, then the search's, without the one
    // both have again.
    EXPECT_EQ(titlesOf(find(hereford)),
              QStringList({"File:Hereford bull.jpg", "File:Hereford cow.jpg",
                           "File:Hereford calf.jpg", "File:Hereford herd.jpg",
                           "File:Hereford in snow.jpg", "File:Hereford show.png"}));
    const auto searches = [this] {
        int count = 0;
        for (const RecordedRequest& request : server.requests()) {
            count += request.value("generator") == QLatin1String("search") ? 1 : 0;
        }
        return count;
    };
    EXPECT_EQ(searches(), 1);
    EXPECT_EQ(server.requests().back().value("gsrnamespace"), QStringLiteral("6"));
    EXPECT_EQ(server.requests().back().value("gsrsearch"), QStringLiteral("Hereford cattle"));

    // Salers: an item with no category; the search's own ranking kept.
    server.forgetRequests();
    EXPECT_EQ(titlesOf(find(1)),
              QStringList({"File:Salers 1.jpg", "File:Salers 2.jpg", "File:Salers 3.jpg",
                           "File:Salers 4.jpg", "File:Salers 5.jpg", "File:Salers 6.jpg"}));
    EXPECT_EQ(server.requests().size(), 2u);

    // Red Holstein: no article, so Wikidata is not asked at all.
    server.forgetRequests();
    EXPECT_EQ(find(15).candidates.size(), 2u);
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests().front().value("gsrsearch"), QStringLiteral("Red Holstein cattle"));

    // Czech Fleckvieh from the Czech Wikipedia: five files are enough.
    server.forgetRequests();
    EXPECT_EQ(find(12).candidates.size(), 5u);
    EXPECT_EQ(server.requests().front().value("sites"), QStringLiteral("cswiki"));
    EXPECT_EQ(searches(), 0);

    // A breed Commons knows nothing about: nothing, and no problem.
    const CandidateList none = find(7);
    EXPECT_TRUE(none.candidates.empty());
    EXPECT_FALSE(none.problem);
}

TEST_F(CommonsServiceTest, OnlyFreePhotographsWithTheirCreditsAsPlainText) {
    const CandidateList list = find(jersey);
    ASSERT_FALSE(list.problem);
    EXPECT_EQ(titlesOf(list),
              QStringList({"File:Jersey cow.jpg", "File:Jersey bull.jpg", "File:Jersey calf.jpg",
                           "File:Jersey herd.png", "File:Jersey old.jpg", "File:Jersey pasture.jpg",
                           "File:Jersey evil.jpg"}));
    // NonFree, DeletionReason, Restrictions, GFDL only, no License,
    // non-commercial, a TIFF and an SVG.
    EXPECT_EQ(list.refused, 8);
    EXPECT_TRUE(list.refusedTitles.contains(QStringLiteral("File:Jersey scan.tif")));
    EXPECT_TRUE(list.refusedTitles.contains(QStringLiteral("File:Jersey restricted.jpg")));

    const CommonsCandidate* cow = named(list, QStringLiteral("File:Jersey cow.jpg"));
    ASSERT_NE(cow, nullptr);
    EXPECT_EQ(cow->mime, QStringLiteral("image/jpeg"));
    EXPECT_EQ(cow->size, QSize(4000, 3000));
    EXPECT_EQ(cow->credit.author, QStringLiteral("Jana & Petr Novák"));
    EXPECT_EQ(cow->credit.licence, QStringLiteral("CC BY-SA 4.0"));
    EXPECT_EQ(cow->credit.licenceUrl,
              QStringLiteral("https://creativecommons.org/licenses/by-sa/4.0"));
    EXPECT_EQ(cow->credit.page,
              QStringLiteral("https://commons.wikimedia.org/wiki/File:Jersey_cow.jpg"));
    EXPECT_TRUE(cow->credit.shortPage.startsWith(
        QLatin1String("https://commons.wikimedia.org/w/index.php?curid=")));
    EXPECT_EQ(cow->credit.title, cow->title);
    EXPECT_TRUE(cow->credit.fromCommons());
    EXPECT_TRUE(cow->gridThumbnail.path().contains(QStringLiteral("/330px-")));

    EXPECT_EQ(named(list, QStringLiteral("File:Jersey bull.jpg"))->credit.author,
              QStringLiteral("Photo: Eva Dvořák"));
    EXPECT_EQ(named(list, QStringLiteral("File:Jersey calf.jpg"))->credit.author,
              QStringLiteral("Own work"));
    EXPECT_EQ(named(list, QStringLiteral("File:Jersey herd.png"))->mime,
              QStringLiteral("image/png"));
    const CommonsCandidate* old = named(list, QStringLiteral("File:Jersey old.jpg"));
    EXPECT_EQ(old->credit.licence, QStringLiteral("Public domain"));
    EXPECT_TRUE(old->credit.licenceUrl.isEmpty());
    // A licence link over plain http is not shown.
    EXPECT_TRUE(
        named(list, QStringLiteral("File:Jersey pasture.jpg"))->credit.licenceUrl.isEmpty());
    const QString evil = named(list, QStringLiteral("File:Jersey evil.jpg"))->credit.author;
    EXPECT_FALSE(evil.contains(QChar(0x202E)));
    EXPECT_FALSE(evil.contains(QChar(0x1B)));
    EXPECT_TRUE(evil.contains(QStringLiteral("<script>")));
}

TEST_F(CommonsServiceTest, TeachersSearchIsAFileSearchKeptForTheSession) {
    const CandidateList found = searchFor(QStringLiteral("  Hereford\n"));
    EXPECT_EQ(found.candidates.size(), 6u);
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests().front().value("gsrsearch"), QStringLiteral("Hereford"));
    EXPECT_EQ(server.requests().front().value("gsrnamespace"), QStringLiteral("6"));
    EXPECT_EQ(titlesOf(searchFor(QStringLiteral("Hereford"))), titlesOf(found));
    EXPECT_EQ(server.requests().size(), 1u);
    // Words with '+', '&' and '|' arrive as written.
    searchFor(QStringLiteral("A+B & C|D"));
    EXPECT_EQ(server.requests().back().value("gsrsearch"), QStringLiteral("A+B & C|D"));
    EXPECT_TRUE(searchFor(QStringLiteral("   ")).problem);
}

TEST_F(CommonsServiceTest, ManyCallsAtOnceAreAskedOneAtATime) {
    const CandidateList jerseys = find(jersey);
    ASSERT_GE(jerseys.candidates.size(), 5u);
    server.forgetRequests();
    server.faults().answerDelayMs = 30;
    int thumbnails = 0;
    std::optional<CandidateList> charolais;
    std::optional<CandidateList> searched;
    for (std::size_t i = 0; i < 5; ++i) {
        service->fetchGridThumbnail(jerseys.candidates[i],
                                    [&](const QImage& image, const std::optional<QString>&) {
                                        thumbnails += image.isNull() ? 0 : 1;
                                    });
    }
    service->findForBreed(0, [&](const CandidateList& list) { charolais = list; });
    service->search(QStringLiteral("Salers"), [&](const CandidateList& list) { searched = list; });
    ASSERT_TRUE(waitUntil([&] { return thumbnails == 5 && charolais && searched; }));
    EXPECT_EQ(charolais->candidates.size(), 58u);
    EXPECT_EQ(searched->candidates.size(), 6u);
    ASSERT_EQ(server.requests().size(), 9u);
    for (const RecordedRequest& request : server.requests()) {
        EXPECT_FALSE(request.overlapped) << request.path.toStdString();
    }
}

TEST_F(CommonsServiceTest, ServerThatAsksToWaitIsWaitedForOneRequestAtATime) {
    server.faults().maxlagAnswers = 1;
    server.faults().tooManyRequests = 1;
    const CandidateList list = find(15);
    EXPECT_FALSE(list.problem);
    EXPECT_EQ(list.candidates.size(), 2u);
    // 429, then maxlag, then the answer: the same question each time.
    const std::vector<RecordedRequest>& requests = server.requests();
    ASSERT_EQ(requests.size(), 3u);
    for (const RecordedRequest& request : requests) {
        EXPECT_EQ(request.query.toString(), requests.front().query.toString());
        EXPECT_FALSE(request.overlapped);
    }

    // Retry-After may be an HTTP date instead.
    server.forgetRequests();
    server.faults().tooManyRequests = 1;
    server.faults().retryAfterDate = true;
    EXPECT_EQ(searchFor(QStringLiteral("Salers")).candidates.size(), 6u);
    EXPECT_EQ(server.requests().size(), 2u);
}

TEST_F(CommonsServiceTest, ServerThatKeepsRefusingOrAsksTooLongAWaitIsAProblem) {
    server.faults().tooManyRequests = 100;
    const CandidateList refused = find(15);
    ASSERT_TRUE(refused.problem);
    EXPECT_TRUE(refused.problem->contains(QStringLiteral("přetížený")))
        << refused.problem->toStdString();
    EXPECT_EQ(server.requests().size(), static_cast<std::size_t>(limits.retries + 1));

    server.forgetRequests();
    server.faults().retryAfterSeconds = 3600;
    EXPECT_TRUE(searchFor(QStringLiteral("Jersey")).problem);
    server.faults().retryAfterDate = true;
    EXPECT_TRUE(searchFor(QStringLiteral("Salers")).problem);
    EXPECT_EQ(server.requests().size(), 2u);
    server.faults().retryAfterDate = false;

    // A server error is said with its status, and not asked again.
    server.forgetRequests();
    server.faults().retryAfterSeconds = 1;
    server.faults().tooManyRequests = 0;
    server.faults().serverErrors = 1;
    const CandidateList failed = find(15);
    ASSERT_TRUE(failed.problem);
    EXPECT_TRUE(failed.problem->contains(QStringLiteral("chybou 500")))
        << failed.problem->toStdString();
    EXPECT_EQ(server.requests().size(), 1u);

    // A failed search is not kept: once the server is well, it is asked again.
    server.faults().tooManyRequests = 0;
    EXPECT_EQ(find(15).candidates.size(), 2u);
}

TEST_F(CommonsServiceTest, StalledServerTimesOutAndUnusableAnswersAreRefused) {
    // Silence past the transfer timeout, then past the whole request's deadline.
    using std::chrono::milliseconds;
    for (const auto& [transfer, deadline] : {std::pair(milliseconds(300), milliseconds(60'000)),
                                             std::pair(milliseconds(60'000), milliseconds(300))}) {
        stallFor(transfer, deadline);
        const CandidateList stalled = find(15);
        ASSERT_TRUE(stalled.problem);
        EXPECT_TRUE(stalled.problem->contains(QStringLiteral("neodpověděl včas")))
            << stalled.problem->toStdString();
    }

    server.faults().stall = false;
    server.faults().deepAnswers = true;
    const CandidateList deep = find(15);
    ASSERT_TRUE(deep.problem);
    EXPECT_TRUE(deep.problem->contains(QStringLiteral("nelze použít")))
        << deep.problem->toStdString();

    // Too large an answer is cut off as it arrives.
    server.faults().deepAnswers = false;
    limits.apiBytes = 2000;
    service->setLimits(limits);
    const CandidateList large = find(jersey);
    ASSERT_TRUE(large.problem);
    EXPECT_TRUE(large.problem->contains(QStringLiteral("víc dat"))) << large.problem->toStdString();
}

TEST_F(CommonsServiceTest, GridThumbnailsAreFetchedOnceAndBadOnesRefused) {
    const CandidateList list = find(jersey);
    ASSERT_GE(list.candidates.size(), 4u);
    const CommonsCandidate& cow = list.candidates[0];
    server.forgetRequests();
    const auto [image, problem] = thumbnail(cow);
    EXPECT_FALSE(problem);
    EXPECT_EQ(image.width(), 330);
    EXPECT_EQ(thumbnail(cow).first.size(), image.size());
    EXPECT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests().front().userAgent, WikimediaClient::userAgent());
    EXPECT_EQ(thumbnail(list.candidates[3]).first.width(), 330); // the PNG

    server.faults().thumbnails = Faults::Thumbnails::Truncated;
    EXPECT_TRUE(thumbnail(list.candidates[1]).second);
    server.faults().thumbnails = Faults::Thumbnails::NotAnImage;
    EXPECT_TRUE(thumbnail(list.candidates[2]).second);
    server.faults().thumbnails = Faults::Thumbnails::RedirectToHttp;
    const auto redirected = thumbnail(list.candidates[4]);
    ASSERT_TRUE(redirected.second);
    EXPECT_TRUE(redirected.second->contains(QStringLiteral("není zabezpečená")))
        << redirected.second->toStdString();
    EXPECT_TRUE(redirected.first.isNull());
    // A redirect that stays on this computer, as the endpoints do, is followed.
    server.faults().thumbnails = Faults::Thumbnails::RedirectHere;
    server.forgetRequests();
    const auto followed = thumbnail(list.candidates[5]);
    EXPECT_FALSE(followed.second);
    EXPECT_EQ(followed.first.width(), 330);
    // The thumbnail, then where it moved to; under Wine a request whose
    // connection the server closed may come twice, so the count is no test.
    ASSERT_GE(server.requests().size(), 2u);
    EXPECT_FALSE(server.requests().front().query.hasQueryItem(QStringLiteral("moved")));
    EXPECT_TRUE(server.requests().back().query.hasQueryItem(QStringLiteral("moved")));
    for (const RecordedRequest& request : server.requests()) {
        EXPECT_EQ(request.userAgent, WikimediaClient::userAgent());
    }

    // Larger than allowed, with or without a Content-Length to tell.
    server.faults().thumbnails = Faults::Thumbnails::Good;
    limits.thumbnailBytes = 1000;
    service->setLimits(limits);
    const auto large = thumbnail(list.candidates[6]);
    ASSERT_TRUE(large.second);
    EXPECT_TRUE(large.second->contains(QStringLiteral("víc dat")));
    server.faults().noContentLength = true;
    EXPECT_TRUE(thumbnail(list.candidates[1]).second);

    // A thumbnail somewhere other than https is never asked for.
    CommonsCandidate elsewhere = cow;
    elsewhere.gridThumbnail = QUrl(QStringLiteral("http://upload.example.org/a.jpg"));
    server.forgetRequests();
    EXPECT_TRUE(thumbnail(elsewhere).second);
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(CommonsServiceTest, ChosenPhotographsAreAddedAtTheWidthNeededWithTheirCredits) {
    const CandidateList list = find(jersey);
    std::vector<CommonsCandidate> chosen{*named(list, QStringLiteral("File:Jersey cow.jpg")),
                                         *named(list, QStringLiteral("File:Jersey herd.png")),
                                         *named(list, QStringLiteral("File:Jersey pasture.jpg"))};
    PhotoSet set = newSet();
    server.forgetRequests();
    // Straight from the download into the set: no temporary folder is needed.
    QFile blocker(folder.filePath(QStringLiteral("not-a-folder")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    const tarvelo::testing::WithoutTemporaryFolder noTemporaryFolder(blocker.fileName().toUtf8());
    ASSERT_FALSE(makeTemporaryFolder(nullptr));
    std::vector<std::pair<int, int>> steps;
    const CommonsAddResult result = add(set, jersey, chosen, [&](int done, int total) {
        steps.emplace_back(done, total);
        return true;
    });
    EXPECT_EQ(result.added, 3);
    EXPECT_FALSE(result.cancelled);
    EXPECT_TRUE(result.problems.isEmpty()) << result.problems.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(steps, (std::vector<std::pair<int, int>>{{0, 3}, {1, 3}, {2, 3}, {3, 3}}));

    const QStringList photos = set.photos(jersey);
    ASSERT_EQ(photos.size(), 3);
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        const QString path = photos[static_cast<qsizetype>(i)];
        EXPECT_FALSE(set.problemOf(path)) << path.toStdString();
        EXPECT_EQ(creditOf(set, path), std::optional(chosen[i].credit)) << path.toStdString();
    }
    // A 4:3 photograph needs 932 pixels, a panorama the box's whole width.
    const std::vector<RecordedRequest> asked = requestsFor(QStringLiteral("/w/api.php"));
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0].value("titles"), QStringLiteral("File:Jersey cow.jpg"));
    EXPECT_EQ(asked[0].value("iiurlwidth"), QStringLiteral("960"));
    EXPECT_EQ(asked[1].value("iiurlwidth"), QStringLiteral("960"));
    EXPECT_EQ(asked[2].value("iiurlwidth"), QStringLiteral("1280"));
    const std::vector<RecordedRequest> downloads = requestsFor(QStringLiteral("/thumb/"));
    ASSERT_EQ(downloads.size(), 3u);
    EXPECT_TRUE(downloads[2].path.contains(QStringLiteral("/1280px-")));
    for (const RecordedRequest& request : server.requests()) {
        EXPECT_FALSE(request.overlapped);
        EXPECT_EQ(request.userAgent, WikimediaClient::userAgent());
    }
}

TEST_F(CommonsServiceTest, CancelStopsBeforeTheNextAndWhatWasAddedStays) {
    const CandidateList list = find(jersey);
    PhotoSet set = newSet();
    const std::vector<CommonsCandidate> chosen(list.candidates.begin(),
                                               list.candidates.begin() + 3);
    const CommonsAddResult result =
        add(set, jersey, chosen, [](int done, int) { return done < 1; });
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.added, 1);
    EXPECT_EQ(set.photoCount(jersey), 1);
}

TEST_F(CommonsServiceTest, BadDownloadsLeaveTheSetAsItWas) {
    const CandidateList list = find(jersey);
    const std::vector<CommonsCandidate> chosen{list.candidates[0]};
    PhotoSet set = newSet();
    for (const Faults::Thumbnails fault :
         {Faults::Thumbnails::Truncated, Faults::Thumbnails::NotAnImage,
          Faults::Thumbnails::RedirectToHttp}) {
        server.faults().thumbnails = fault;
        const CommonsAddResult result = add(set, jersey, chosen);
        EXPECT_EQ(result.added, 0);
        EXPECT_EQ(result.problems.size(), 1);
        EXPECT_EQ(set.photoCount(jersey), 0);
        EXPECT_TRUE(set.isDrawing(jersey));
        EXPECT_TRUE(creditsOf(set).empty());
    }
    server.faults().thumbnails = Faults::Thumbnails::Good;
    stallFor(std::chrono::milliseconds(300), std::chrono::milliseconds(1000));
    const CommonsAddResult stalled = add(set, jersey, chosen);
    EXPECT_EQ(stalled.added, 0);
    ASSERT_EQ(stalled.problems.size(), 1);
    EXPECT_TRUE(stalled.problems.front().contains(QStringLiteral("neodpověděl včas")));
    EXPECT_TRUE(set.isDrawing(jersey));
}

TEST_F(CommonsServiceTest, AFullBreedStopsWithTheImportsMessage) {
    const CandidateList list = find(0);
    PhotoSet set = newSet();
    const std::vector<CommonsCandidate> chosen(list.candidates.begin(),
                                               list.candidates.begin() + 11);
    const CommonsAddResult result = add(set, 0, chosen);
    EXPECT_EQ(result.added, 10);
    ASSERT_EQ(result.problems.size(), 1);
    EXPECT_TRUE(result.problems.front().contains(QStringLiteral("nelze přidat")))
        << result.problems.front().toStdString();
    EXPECT_EQ(set.photoCount(0), 10);
    EXPECT_EQ(creditsOf(set).size(), 10u);
}

TEST_F(CommonsServiceTest, NothingComesBackAfterCancelOrOnceTheServiceIsGone) {
    bool called = false;
    service->findForBreed(0, [&](const CandidateList&) { called = true; });
    service->cancel();
    runFor(300);
    EXPECT_FALSE(called);

    // From the cache, too.
    find(15);
    service->findForBreed(15, [&](const CandidateList&) { called = true; });
    service->cancel();
    runFor(100);
    EXPECT_FALSE(called);

    server.faults().stall = true;
    service->search(QStringLiteral("Jersey"), [&](const CandidateList&) { called = true; });
    runFor(100);
    service.reset();
    runFor(600);
    EXPECT_FALSE(called);
}

TEST_F(CommonsServiceTest, FilesNamedByTitleAreJudgedAsAnyOther) {
    std::optional<CandidateList> found;
    service->lookUpTitles({QStringLiteral("File:Jersey cow.jpg"),
                           QStringLiteral("File:Jersey gfdl.jpg"),
                           QStringLiteral("File:Nothing here.jpg")},
                          [&](const CandidateList& list) { found = list; });
    ASSERT_TRUE(waitUntil([&] { return found.has_value(); }));
    EXPECT_FALSE(found->problem);
    EXPECT_EQ(titlesOf(*found), QStringList{QStringLiteral("File:Jersey cow.jpg")});
    EXPECT_EQ(found->refusedTitles, QStringList{QStringLiteral("File:Jersey gfdl.jpg")});
    EXPECT_EQ(found->missingTitles, QStringList{QStringLiteral("File:Nothing here.jpg")});
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests().front().value("titles"),
              QStringLiteral("File:Jersey cow.jpg|File:Jersey gfdl.jpg|File:Nothing here.jpg"));

    // A '|' in a title would ask for another file: refused unasked.
    found.reset();
    service->lookUpTitles({QStringLiteral("File:A.jpg|File:Jersey nonfree.jpg")},
                          [&](const CandidateList& list) { found = list; });
    ASSERT_TRUE(waitUntil([&] { return found.has_value(); }));
    EXPECT_TRUE(found->problem);
    EXPECT_EQ(server.requests().size(), 1u);
}

TEST(CommonsServiceEndpoints, AnUnusableEndpointIsSaidAndNothingIsSent) {
    fake::FakeCommons server;
    ASSERT_TRUE(server.listen());
    CommonsService service(endpointsFrom(QStringLiteral("http://commons.example.org/w/api.php"),
                                         server.apiUrl().toString()));
    ASSERT_TRUE(service.endpointProblem());
    std::optional<CandidateList> found;
    service.findForBreed(0, [&](const CandidateList& list) { found = list; });
    ASSERT_TRUE(waitUntil([&] { return found.has_value(); }));
    EXPECT_EQ(found->problem, service.endpointProblem());
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(CommonsServiceTest, HostileTitlesAndLicencesAreLeftOutAndNamesComeFromTheLicence) {
    // Only the free ones, named by their licence whatever LicenseShortName
    // says; the others are left out, counted and named as plain text.
    const CandidateList list = searchFor(QStringLiteral("Hostile"));
    ASSERT_FALSE(list.problem);
    EXPECT_EQ(titlesOf(list), QStringList({"File:Hostile lying.jpg", "File:Hostile versions.jpg",
                                           "File:Hostile migrated.jpg"}));
    QStringList licences;
    for (const CommonsCandidate& candidate : list.candidates) {
        licences << candidate.credit.licence;
    }
    EXPECT_EQ(licences, QStringList({"CC BY-SA 3.0 DE", "CC BY-SA 2.5, 2.0, 1.0", "CC BY-SA 3.0"}));
    EXPECT_EQ(list.refused, static_cast<int>(fake::hostileFiles().size()) - 3);
    for (const QString& title : list.refusedTitles) {
        EXPECT_EQ(title, plainText(title, quotedNameBounds)) << title.toStdString();
    }
    EXPECT_TRUE(
        list.refusedTitles.contains(QStringLiteral("File:<img src=x width=4000><b>CC0</b>.jpg")));
}

// A wait whose milliseconds would not fit in 64 bits is a day's, far
// past what is waited: the client gives up at once. Bounded by waitUntil, a
// client that waited would fail here, not hang.
TEST_F(CommonsServiceTest, AnAbsurdRetryAfterGivesUpAtOnce) {
    server.faults().tooManyRequests = 1;
    server.faults().retryAfterText = "9223372039002260";
    const CandidateList list = searchFor(QStringLiteral("Salers"));
    ASSERT_TRUE(list.problem);
    EXPECT_TRUE(list.problem->contains(QStringLiteral("přetížený"))) << list.problem->toStdString();
    EXPECT_EQ(server.requests().size(), 1u);
}

TEST_F(CommonsServiceTest, AServerThatAlwaysSaysThereIsMoreIsFollowedABoundedNumberOfTimes) {
    server.faults().endlessContinue = true;
    const CandidateList searched = searchFor(QStringLiteral("Salers"));
    EXPECT_FALSE(searched.problem);
    EXPECT_EQ(searched.candidates.size(), 6u);
    ASSERT_TRUE(searched.notice);
    EXPECT_TRUE(searched.notice->contains(QStringLiteral("víc souborů")))
        << searched.notice->toStdString();
    EXPECT_EQ(server.requests().size(), 10u); // answers, and no more

    // A breed: its Wikidata item, then its category's answers; Hereford's
    // three are too few, yet the search is not asked past the bound.
    for (const auto& [breed, found] : {std::pair(jersey, 7u), std::pair(hereford, 3u)}) {
        server.forgetRequests();
        const CandidateList list = find(breed);
        EXPECT_EQ(list.candidates.size(), found) << breed;
        EXPECT_TRUE(list.notice) << breed;
        EXPECT_EQ(server.requests().size(), 11u) << breed;
    }

    // A server that ends its answers gives no such notice.
    server.faults().endlessContinue = false;
    EXPECT_FALSE(find(0).notice);
}

TEST(CommonsServiceEndpoints, OnlyTheLoopbackEndpointIsAskedOverPlainHttpAndPastTheProxy) {
    fake::FakeCommons server;
    fake::FakeCommons elsewhere;
    fake::FakeCommons proxy;
    ASSERT_TRUE(server.listen() && elsewhere.listen() && proxy.listen());
    // Commons here over plain http; Wikidata over https elsewhere, through
    // the system's proxy, which is a server that only records.
    const QByteArray proxyUrl = QStringLiteral("http://127.0.0.1:%1").arg(proxy.port()).toLatin1();
    const ScopedVariable proxies[] = {{"http_proxy", proxyUrl},
                                      {"https_proxy", proxyUrl},
                                      {"HTTPS_PROXY", proxyUrl},
                                      {"no_proxy", {}},
                                      {"NO_PROXY", {}}};
    const CommonsEndpoints endpoints = endpointsFrom(
        server.apiUrl().toString(), QStringLiteral("https://wikidata.invalid/w/api.php"));
    if (endpoints.problem) {
        GTEST_SKIP() << "no TLS here: " << endpoints.problem->toStdString();
    }
    CommonsService service(endpoints);
    NetworkLimits limits;
    limits.transferTimeout = std::chrono::milliseconds(2000);
    service.setLimits(limits);
    std::optional<CandidateList> found;
    service.findForBreed(jersey, [&](const CandidateList& list) { found = list; });
    ASSERT_TRUE(waitUntil([&] { return found.has_value(); }));
    EXPECT_TRUE(found->problem);
    // Wikidata's question went to the proxy, as the school's network asks.
    // Windows takes its proxy from its own Internet settings, never from the
    // environment, so there the question goes nowhere.
#ifdef _WIN32
    const std::size_t proxied = 0;
#else
    const std::size_t proxied = 1;
    ASSERT_EQ(proxy.requests().size(), proxied);
    EXPECT_TRUE(proxy.requests().front().line.startsWith("CONNECT wikidata.invalid:443 "))
        << proxy.requests().front().line.constData();
#endif

    // A file on the Commons endpoint's host and port is fetched directly;
    // the same on another port of this computer is not asked for.
    std::optional<CandidateList> searched;
    service.search(QStringLiteral("Salers"), [&](const CandidateList& list) { searched = list; });
    ASSERT_TRUE(waitUntil([&] { return searched.has_value(); }));
    ASSERT_FALSE(searched->candidates.empty());
    CommonsCandidate moved = searched->candidates.front();
    moved.gridThumbnail.setPort(elsewhere.port());
    for (const auto& [candidate, fetched] :
         {std::pair(searched->candidates.front(), true), std::pair(moved, false)}) {
        std::optional<std::optional<QString>> problem;
        service.fetchGridThumbnail(
            candidate, [&](const QImage&, const std::optional<QString>& said) { problem = said; });
        ASSERT_TRUE(waitUntil([&] { return problem.has_value(); }));
        EXPECT_EQ(!problem->has_value(), fetched)
            << candidate.gridThumbnail.toString().toStdString();
    }
    // Commons' questions and its file went straight to it, past the proxy.
    EXPECT_TRUE(elsewhere.requests().empty());
    EXPECT_EQ(server.requests().size(), 2u);
    EXPECT_EQ(proxy.requests().size(), proxied);
}
