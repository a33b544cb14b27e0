// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommonsAddition.h"

#include "BreedCatalogue.h"
#include "BreedPhotos.h"
#include "CommonsLicence.h"
#include "CommonsQueries.h"
#include "DownloadedImage.h"
#include "ForeignText.h"
#include "WikimediaClient.h"

#include <QRegularExpression>

namespace tarvelo {

namespace {

// The photograph's name in the import's messages: the title without "File:"
// and anything a file name could not hold, so that the teacher recognises it.
QString shownName(const QString& title, DownloadedKind kind) {
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

CommonsAddition::CommonsAddition(WikimediaClient& client, CommonsEndpoints endpoints, Later later,
                                 PhotoSet set, int breed, std::vector<CommonsCandidate> chosen,
                                 Progress progress, Done done)
    : client_(client), endpoints_(std::move(endpoints)), later_(std::move(later)),
      set_(std::move(set)), breed_(breed), chosen_(std::move(chosen)),
      progress_(std::move(progress)), done_(std::move(done)) {}

void CommonsAddition::start() {
    std::optional<QString> refusal = endpoints_.problem;
    if (!refusal && (breed_ < 0 || breed_ >= breedCount)) {
        refusal = QStringLiteral("Plemeno číslo %1 v kvízu není.").arg(breed_);
    }
    if (refusal) {
        result_.problems << *refusal;
        later_([self = shared_from_this()] { self->done_(self->result_); });
        return;
    }
    later_([self = shared_from_this()] { self->addNext(); });
}

void CommonsAddition::finish() {
    if (progress_ && !result_.cancelled) {
        progress_(total(), total());
    }
    done_(result_);
}

void CommonsAddition::skipTo(std::size_t next) {
    next_ = next;
    addNext();
}

void CommonsAddition::addNext() {
    if (next_ >= chosen_.size()) {
        finish();
        return;
    }
    if (progress_ && !progress_(static_cast<int>(next_), total())) {
        result_.cancelled = true;
        finish();
        return;
    }
    const CommonsCandidate& candidate = chosen_[next_];
    if (set_.photoCount(breed_) >= maxPhotosPerBreed) {
        // The set's own refusal, which it gives before anything is fetched.
        result_.problems << set_.addPhoto(breed_, QByteArray(),
                                          shownName(candidate.title, DownloadedKind::Jpeg))
                                .message;
        finish();
        return;
    }
    client_.api(endpoints_.commons,
                titlesParameters({candidate.title}, photoFetchWidth(candidate.size)),
                [self = shared_from_this()](const QJsonObject& answer,
                                            const std::optional<QString>& problem) {
                    std::optional<CommonsCandidate> fresh;
                    for (const QJsonObject& page : answerPages(answer)) {
                        auto judged = judgeFile(page);
                        if (auto* found = std::get_if<CommonsCandidate>(&judged)) {
                            fresh = std::move(*found);
                        }
                    }
                    if (problem || !fresh ||
                        !mayFetch(fresh->gridThumbnail, self->endpoints_.plainEndpoints())) {
                        self->result_.problems << notFetched(
                            self->chosen_[self->next_].title,
                            problem.value_or(QStringLiteral("Wikimedia Commons ji už nenabízí "
                                                            "pod svobodnou licencí.")));
                        self->skipTo(self->next_ + 1);
                        return;
                    }
                    self->fetchPhotograph(*fresh);
                });
}

void CommonsAddition::fetchPhotograph(const CommonsCandidate& fresh) {
    client_.download(fresh.gridThumbnail, client_.limits().photoBytes,
                     [self = shared_from_this(), fresh](const QByteArray& bytes,
                                                        const std::optional<QString>& failed) {
                         if (failed) {
                             self->result_.problems << notFetched(fresh.title, *failed);
                         } else {
                             self->addDownloaded(fresh, bytes);
                         }
                         self->skipTo(self->next_ + 1);
                     });
}

void CommonsAddition::addDownloaded(const CommonsCandidate& fresh, const QByteArray& bytes) {
    const DownloadedKind kind = downloadedKind(bytes);
    if (kind == DownloadedKind::Other) {
        result_.problems << notFetched(
            fresh.title, QStringLiteral("server místo fotografie poslal něco jiného."));
        return;
    }
    const ImportResult added =
        set_.addPhoto(breed_, bytes, shownName(fresh.title, kind), fresh.credit);
    if (!added.ok) {
        result_.problems << added.message;
        return;
    }
    ++result_.added;
    // The photograph stays even if its credit cannot be written; the teacher
    // is told.
    if (!added.creditProblem.isEmpty()) {
        result_.problems << added.creditProblem;
    }
}

} // namespace tarvelo
