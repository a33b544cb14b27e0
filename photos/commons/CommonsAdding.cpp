// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// CommonsService::addToSet: each chosen photograph fetched at the width its
// stored copy needs, imported as any photograph is, and given its credit.
#include "BreedCatalogue.h"
#include "BreedPhotos.h"
#include "CommonsLicence.h"
#include "CommonsQueries.h"
#include "CommonsService.h"
#include "DownloadedImage.h"
#include "ForeignText.h"
#include "SetCredits.h"
#include "TemporaryFolder.h"
#include "WikimediaClient.h"

#include <QFile>
#include <QRegularExpression>

namespace tarvelo {

namespace {

// The downloaded file's name in the temporary folder: the title without
// "File:" and anything a file system could take amiss, so that the
// import's messages name it recognisably.
QString downloadName(const QString& title, DownloadedKind kind) {
    static const QRegularExpression unsafe(QStringLiteral("[^\\w .()-]"),
                                           QRegularExpression::UseUnicodePropertiesOption);
    QString name = title;
    if (name.startsWith(QLatin1String("File:"))) {
        name.remove(0, 5);
    }
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > 0) {
        name.truncate(dot);
    }
    name.replace(unsafe, QStringLiteral("_"));
    name = name.trimmed().left(80);
    while (name.startsWith(QLatin1Char('.'))) {
        name.remove(0, 1);
    }
    if (name.isEmpty()) {
        name = QStringLiteral("fotografie");
    }
    return name + (kind == DownloadedKind::Png ? QStringLiteral(".png") : QStringLiteral(".jpg"));
}

QString notFetched(const QString& title, const QString& reason) {
    return QStringLiteral("Fotografii „%1“ se nepodařilo stáhnout: %2")
        .arg(quotedName(title), reason);
}

} // namespace

struct CommonsService::Adding {
    PhotoSet set;
    int breed = 0;
    std::vector<CommonsCandidate> chosen;
    std::function<bool(int, int)> progress;
    std::function<void(const CommonsAddResult&)> done;
    CommonsAddResult result;
    std::size_t next = 0;
    std::optional<TemporaryFolder> folder;

    int total() const { return static_cast<int>(chosen.size()); }
    void finish() {
        if (progress && !result.cancelled) {
            progress(total(), total());
        }
        done(result);
    }
};

void CommonsService::addToSet(PhotoSet set, int breed, std::vector<CommonsCandidate> chosen,
                              std::function<bool(int done, int total)> progress,
                              std::function<void(const CommonsAddResult&)> done) {
    auto adding = std::make_shared<Adding>(Adding{.set = std::move(set),
                                                  .breed = breed,
                                                  .chosen = std::move(chosen),
                                                  .progress = std::move(progress),
                                                  .done = std::move(done),
                                                  .result = {},
                                                  .next = 0,
                                                  .folder = std::nullopt});
    std::optional<QString> refusal = endpoints_.problem;
    if (!refusal && (breed < 0 || breed >= breedCount)) {
        refusal = QStringLiteral("Plemeno číslo %1 v kvízu není.").arg(breed);
    }
    if (!refusal && !adding->chosen.empty()) {
        QString message;
        adding->folder = makeTemporaryFolder(&message);
        if (!adding->folder) {
            refusal = message;
        }
    }
    if (refusal) {
        adding->result.problems << *refusal;
        later([adding] { adding->done(adding->result); });
        return;
    }
    later([this, adding] { addNext(adding); });
}

void CommonsService::addNext(const std::shared_ptr<Adding>& adding) {
    if (adding->next >= adding->chosen.size()) {
        adding->finish();
        return;
    }
    if (adding->progress && !adding->progress(static_cast<int>(adding->next), adding->total())) {
        adding->result.cancelled = true;
        adding->finish();
        return;
    }
    const CommonsCandidate& candidate = adding->chosen[adding->next];
    if (adding->set.photoCount(adding->breed) >= maxPhotosPerBreed) {
        // The import's own refusal, which it gives before reading the file.
        const QString named =
            adding->folder->filePath(downloadName(candidate.title, DownloadedKind::Jpeg));
        adding->result.problems << adding->set.addPhoto(adding->breed, named).message;
        adding->finish();
        return;
    }
    // Asked again at the width the stored copy needs, and judged again: a
    // licence may have changed since the grid was shown.
    client_->api(
        endpoints_.commons, titlesParameters({candidate.title}, photoFetchWidth(candidate.size)),
        [this, adding](const QJsonObject& answer, const std::optional<QString>& problem) {
            const QString& title = adding->chosen[adding->next].title;
            std::optional<CommonsCandidate> fresh;
            for (const QJsonObject& page : answerPages(answer)) {
                auto judged = judgeFile(page);
                if (auto* found = std::get_if<CommonsCandidate>(&judged)) {
                    fresh = std::move(*found);
                }
            }
            if (problem || !fresh || !mayFetch(fresh->gridThumbnail, endpoints_.plainEndpoints())) {
                adding->result.problems << notFetched(
                    title, problem.value_or(QStringLiteral("Wikimedia Commons ji už nenabízí "
                                                           "pod svobodnou licencí.")));
                ++adding->next;
                addNext(adding);
                return;
            }
            client_->download(fresh->gridThumbnail, client_->limits().photoBytes,
                              [this, adding, fresh = *fresh](const QByteArray& bytes,
                                                             const std::optional<QString>& failed) {
                                  if (failed) {
                                      adding->result.problems << notFetched(fresh.title, *failed);
                                  } else {
                                      addDownloaded(adding, fresh, bytes);
                                  }
                                  ++adding->next;
                                  addNext(adding);
                              });
        });
}

void CommonsService::addDownloaded(const std::shared_ptr<Adding>& adding,
                                   const CommonsCandidate& fresh, const QByteArray& bytes) {
    const DownloadedKind kind = downloadedKind(bytes);
    if (kind == DownloadedKind::Other) {
        adding->result.problems << notFetched(
            fresh.title, QStringLiteral("server místo fotografie poslal něco jiného."));
        return;
    }
    QFile file(adding->folder->filePath(downloadName(fresh.title, kind)));
    if (file.exists()) {
        file.remove();
    }
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) ||
        file.write(bytes) != bytes.size() || !file.flush()) {
        adding->result.problems << notFetched(fresh.title, file.errorString());
        return;
    }
    file.close();
    const ImportResult imported = adding->set.addPhoto(adding->breed, file.fileName());
    file.remove();
    if (!imported.ok) {
        adding->result.problems << imported.message;
        return;
    }
    ++adding->result.added;
    // The credit of what was just added: the photograph stays even if its
    // credit cannot be written, and the teacher is told.
    if (const auto problem = recordCredit(adding->set, imported.storedPath, fresh.credit)) {
        adding->result.problems << *problem;
    }
}

} // namespace tarvelo
