// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SharedSet.h"

#include "AtomicFile.h"
#include "BreedCatalogue.h"
#include "BreedPhotos.h"
#include "CreditJson.h"
#include "ForeignText.h"
#include "JpegMarkers.h"
#include "JpegPicture.h"
#include "PhotoImport.h"
#include "PictureErrors.h"
#include "PictureFile.h"
#include "SetArchive.h"
#include "SetCredits.h"
#include "TemporaryFolder.h"
#include "WriteFailure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <map>
#include <new>

namespace tarvelo {

namespace {

// The manifest is a few lines of JSON; anything near this is not one.
constexpr qint64 maxManifestBytes = 64 << 10;

// Where a photograph's entry puts it: its breed and number, from the whole
// name; nothing for any other entry.
struct Place {
    int index = 0;
    int photo = 0;
};

// The entry a photograph is written as, and read back from: obr/K/N.jpg.
QString entryName(int index, int photo) {
    return QStringLiteral("obr/%1/%2.jpg").arg(photo).arg(index);
}

// The place whose entry is exactly `name`, so that "obr/0/1.jpg\n" or
// "obr/0/01.jpg" is none. Compared whole, never matched against a pattern:
// this runs on the unpacking's worker thread, and a regular expression
// leaves per-thread state behind whose clean-up at the thread's end made
// the program hang at its exit under Wine.
std::optional<Place> placeOf(const QString& name) {
    for (int photo = 0; photo < maxPhotosPerBreed; ++photo) {
        for (int index = 0; index < breedCount; ++index) {
            if (name == entryName(index, photo)) {
                return Place{index, photo};
            }
        }
    }
    return std::nullopt;
}

// obr/K/N.jpg, the manifest, and the folders that hold them: obr/ and obr/K/.
bool inSetLayout(const QString& name) {
    if (name == QLatin1String(sharedSetManifest) || name == QLatin1String("obr/")) {
        return true;
    }
    for (int photo = 0; photo < maxPhotosPerBreed; ++photo) {
        if (name == QStringLiteral("obr/%1/").arg(photo)) {
            return true;
        }
    }
    return placeOf(name).has_value();
}

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString refusal(const QString& file, const QString& why) {
    return QStringLiteral("Soubor „%1“ nelze otevřít jako sdílenou sadu: %2.")
        .arg(native(file), why);
}

std::span<const std::uint8_t> bytesOf(const QByteArray& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
            static_cast<std::size_t>(bytes.size())};
}

// A photograph that can go into a set byte for byte, as another Tarvelo
// stored it: a whole JPEG with nothing but the picture, no larger than the
// quiz draws it. Told from its markers alone.
bool storableAsItIs(const JpegMarkers& markers) {
    return markers.wellFormed && !markers.metadata && markers.width <= storedBoxWidth &&
           markers.height <= storedBoxHeight;
}

// What taking a photograph costs: its decoder's passes, and for one that is
// imported the passes of scaling, turning and encoding it.
long long decodingWork(const JpegMarkers& markers) {
    constexpr long long importPasses = 4;
    return markers.work() + (storableAsItIs(markers) ? 0
                                                     : static_cast<long long>(markers.width) *
                                                           markers.height * importPasses);
}

// ...and shown by the quiz's own decoder without an error. Anything else goes
// through the import, which would only lose quality on such a one.
bool takenAsStored(const QByteArray& bytes, const JpegMarkers& markers) {
    if (!storableAsItIs(markers)) {
        return false;
    }
    try {
        JpegPicture picture = JpegPicture::fromBytes({bytes.begin(), bytes.end()});
        picture.decodeRaster();
        return !picture.decodeFailed();
    } catch (const PictureError&) {
        return false;
    }
}

// A file of a folder that goes as a whole if anything fails: written plainly.
bool writeStaged(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

class Unpacking {
public:
    Unpacking(const QString& file, PhotoSet& target, const UnpackProgress& progress,
              const SharedSetLimits& limits)
        : file_(file), target_(target), progress_(progress), limits_(limits) {}

    UnpackedSharedSet run() {
        SetArchiveReader archive(file_, inSetLayout, limits_);
        if (archive.refusal()) {
            refuse(*archive.refusal());
            return outcome();
        }
        std::optional<SharedSetInfo> info = readManifest(archive);
        if (!info) {
            return outcome();
        }
        std::vector<CreditedPhoto> credited;
        // Photographs by breed and number, so obr/1 comes before obr/2
        // whatever order the archive lists them in.
        std::vector<std::pair<Place, std::size_t>> photos;
        for (std::size_t i = 0; i < archive.files().size(); ++i) {
            if (const auto place = placeOf(archive.files()[i].name)) {
                photos.emplace_back(*place, i);
            }
        }
        std::sort(photos.begin(), photos.end(), [](const auto& a, const auto& b) {
            return std::pair(a.first.index, a.first.photo) <
                   std::pair(b.first.index, b.first.photo);
        });
        std::array<int, breedCount> next{};
        for (const auto& [place, i] : photos) {
            if (progress_ && !progress_(photographs_, static_cast<int>(photos.size()))) {
                cancelled_ = true;
                return outcome();
            }
            const int number = next[static_cast<std::size_t>(place.index)]++;
            if (!unpackPhotograph(archive, i, place.index, number)) {
                return outcome();
            }
            // The credit goes to the file the photograph became, renumbered
            // and perhaps imported anew; its bytes tie the two together.
            if (const auto credit = credits_.find(archive.files()[i].name);
                credit != credits_.end()) {
                credited.push_back({target_.photoPath(place.index, number), credit->second});
            }
            ++photographs_;
        }
        QString message;
        if (!target_.ensureComplete(&message)) {
            message_ = message;
            return outcome();
        }
        if (const auto failed = recordCredits(target_, credited)) {
            message_ = *failed;
            return outcome();
        }
        return outcome(std::move(info));
    }

private:
    void refuse(const QString& why) { message_ = refusal(file_, why); }

    UnpackedSharedSet outcome(std::optional<SharedSetInfo> info = std::nullopt) const {
        UnpackedSharedSet result;
        result.info = std::move(info);
        result.message = message_;
        result.cancelled = cancelled_;
        result.photographs = photographs_;
        return result;
    }

    std::optional<SharedSetInfo> readManifest(SetArchiveReader& archive) {
        const auto& files = archive.files();
        const auto found = std::find_if(files.begin(), files.end(), [](const auto& f) {
            return f.name == QLatin1String(sharedSetManifest);
        });
        const QString manifestName = QLatin1String(sharedSetManifest);
        if (found == files.end()) {
            refuse(QStringLiteral("chybí v něm popis sady (%1)").arg(manifestName));
            return std::nullopt;
        }
        std::optional<QByteArray> bytes;
        if (found->size <= maxManifestBytes) {
            bytes = archive.read(static_cast<std::size_t>(found - files.begin()));
        }
        QJsonParseError error{};
        const QJsonDocument document =
            bytes ? QJsonDocument::fromJson(*bytes, &error) : QJsonDocument();
        if (!bytes || error.error != QJsonParseError::NoError || !document.isObject()) {
            refuse(QStringLiteral("popis sady (%1) je poškozený").arg(manifestName));
            return std::nullopt;
        }
        const QJsonObject manifest = document.object();
        const QJsonValue format = manifest.value(QStringLiteral("format"));
        if (!format.isDouble() || format.toDouble() < 1 || format.toDouble() > 1e9 ||
            format.toDouble() != format.toInt()) {
            refuse(QStringLiteral("popis sady neuvádí platnou verzi formátu"));
            return std::nullopt;
        }
        if (format.toInt() > sharedSetFormat) {
            refuse(QStringLiteral("zapsala ho novější verze Tarvela (formát %1); tato verze "
                                  "umí formát %2, nainstalujte novější Tarvelo")
                       .arg(format.toInt())
                       .arg(sharedSetFormat));
            return std::nullopt;
        }
        readCredits(manifest.value(QStringLiteral("credits")), archive);
        return SharedSetInfo{
            .name = shownSetName(manifest.value(QStringLiteral("name")).toString()),
            .note = shownSetNote(manifest.value(QStringLiteral("note")).toString())};
    }

    // The photographs' credits, by the entry they are for: only entries of
    // photographs the archive holds, each credit bounded (creditFromJson).
    // An older Tarvelo wrote none; anything but an object is none too.
    void readCredits(const QJsonValue& value, const SetArchiveReader& archive) {
        const QJsonObject credits = value.toObject();
        for (const auto& file : archive.files()) {
            if (!placeOf(file.name)) {
                continue;
            }
            if (auto credit = creditFromJson(credits.value(file.name))) {
                credits_.insert_or_assign(file.name, std::move(*credit));
            }
        }
    }

    // The photograph as the teacher is told of it: its entry and its breed.
    QString cannotUse(const QString& entry, int index, const QString& why) {
        message_ = QStringLiteral("Fotografii %1 (%2) ze sdílené sady nelze použít. %3")
                       .arg(entry, QString::fromUtf8(answerName(index)), why);
        return message_;
    }

    bool unpackPhotograph(SetArchiveReader& archive, std::size_t i, int index, int photo) {
        const QString entry = archive.files()[i].name;
        const std::optional<QByteArray> bytes = archive.read(i);
        if (!bytes) {
            refuse(QStringLiteral("položka „%1“ je poškozená").arg(entry));
            return false;
        }
        const JpegMarkers markers = walkJpegMarkers(bytesOf(*bytes));
        if (!markers.wellFormed) {
            cannotUse(entry, index, QStringLiteral("Není to úplná fotografie JPEG."));
            return false;
        }
        const long long work = decodingWork(markers);
        work_ += work;
        if (work > limits_.photoWork || work_ > limits_.fileWork) {
            cannotUse(entry, index,
                      work > limits_.photoWork
                          ? QStringLiteral("Její dekódování by trvalo příliš dlouho (%1 × %2 "
                                           "pixelů ve %3 průchodech).")
                                .arg(markers.width)
                                .arg(markers.height)
                                .arg(markers.scans)
                          : QStringLiteral("Dekódování fotografií celé sady by s ní trvalo "
                                           "příliš dlouho; sada je asi vyrobená tak, aby "
                                           "program zaměstnala."));
            return false;
        }
        const QString stored = target_.photoPath(index, photo);
        if (!QDir().mkpath(QFileInfo(stored).path())) {
            message_ =
                QStringLiteral("Složku „%1“ nelze vytvořit.").arg(native(QFileInfo(stored).path()));
            return false;
        }
        if (takenAsStored(*bytes, markers)) {
            if (!writeStaged(stored, *bytes)) {
                message_ = QStringLiteral("Fotografii nelze rozbalit do „%1“.").arg(native(stored));
                return false;
            }
            return true;
        }
        // The import reads a file: the entry goes beside the set for that.
        const QString source = QDir(target_.root()).filePath(QStringLiteral(".entry.jpg"));
        if (!writeStaged(source, *bytes)) {
            message_ = QStringLiteral("Fotografii nelze rozbalit do „%1“.").arg(native(source));
            return false;
        }
        const ImportResult imported = importPhoto(source, stored);
        QFile::remove(source);
        if (!imported.ok) {
            cannotUse(entry, index, imported.message);
            return false;
        }
        return true;
    }

    QString file_;
    PhotoSet& target_;
    const UnpackProgress& progress_;
    SharedSetLimits limits_;
    QString message_;
    std::map<QString, PhotoCredit> credits_;
    bool cancelled_ = false;
    int photographs_ = 0;
    long long work_ = 0;
};

// The bytes of a photograph of the set, read as the quiz reads it: bounded,
// a regular file only.
std::optional<QByteArray> readPhotograph(const QString& path) {
    try {
        const std::vector<std::uint8_t> bytes = readPictureFile(path.toStdString());
        return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                          static_cast<qsizetype>(bytes.size()));
    } catch (const PictureError&) {
        return std::nullopt;
    }
}

// What the file carries for the photograph at path: itself when an import
// would take it byte for byte and it fits what is left of the work budget,
// else the copy an import stores.
class Export {
public:
    explicit Export(const SharedSetLimits& limits) : limits_(limits) {}

    std::optional<QByteArray> photograph(const QString& path, QString* message) {
        auto bytes = readPhotograph(path);
        if (!bytes) {
            *message = QStringLiteral("Fotografii „%1“ nelze přečíst.").arg(native(path));
            return std::nullopt;
        }
        const JpegMarkers markers = walkJpegMarkers(bytesOf(*bytes));
        // Half the budget is kept for copies an import makes, which every
        // photograph can become: 190 of them need far less than that half.
        if (storableAsItIs(markers) && bytes->size() <= limits_.entryBytes &&
            bytes_ + bytes->size() <= limits_.totalBytes / 2 &&
            markers.work() <= limits_.photoWork && work_ + markers.work() <= limits_.fileWork / 2) {
            work_ += markers.work();
            bytes_ += bytes->size();
            return bytes;
        }
        if (!cleaned_) {
            cleaned_ = makeTemporaryFolder(message);
            if (!cleaned_) {
                return std::nullopt;
            }
        }
        const QString copy = cleaned_->filePath(QStringLiteral("%1.jpg").arg(copies_++));
        const ImportResult result = importPhoto(path, copy);
        if (!result.ok) {
            *message = result.message;
            return std::nullopt;
        }
        bytes = readPhotograph(copy);
        QFile::remove(copy);
        if (!bytes) {
            *message = QStringLiteral("Fotografii „%1“ nelze přečíst.").arg(native(copy));
            return std::nullopt;
        }
        work_ += decodingWork(walkJpegMarkers(bytesOf(*bytes)));
        bytes_ += bytes->size();
        return bytes;
    }

    // Whether the file as written so far is one an import takes.
    bool withinLimits() const { return work_ <= limits_.fileWork && bytes_ <= limits_.totalBytes; }

private:
    SharedSetLimits limits_;
    std::optional<TemporaryFolder> cleaned_;
    int copies_ = 0;
    long long work_ = 0;
    qint64 bytes_ = 0;
};

// The manifest, within the size every Tarvelo reads. An older one, which
// knows no credits, passes over their key. A set of 190 photographs from
// Commons nears the limit: their titles go first (never shown on paper, and
// on the page anyway), then the long page gives way to the short link, which
// leads to the same page.
std::optional<QByteArray> manifestWith(const SharedSetInfo& info, QJsonObject credits) {
    const auto written = [&info](const QJsonObject& withCredits) {
        QJsonObject manifest{{QStringLiteral("format"), sharedSetFormat},
                             {QStringLiteral("name"), info.name},
                             {QStringLiteral("note"), info.note}};
        if (!withCredits.isEmpty()) {
            manifest.insert(QStringLiteral("credits"), withCredits);
            return QJsonDocument(manifest).toJson(QJsonDocument::Compact);
        }
        return QJsonDocument(manifest).toJson(QJsonDocument::Indented);
    };
    // Each credit's `key` becomes the text at `with`, where that is not empty;
    // an empty `with` takes the key away.
    const auto thinned = [&credits](const QString& key, const QString& with) {
        for (auto credit = credits.begin(); credit != credits.end(); ++credit) {
            QJsonObject object = credit.value().toObject();
            const QString text = with.isEmpty() ? QString() : object.value(with).toString();
            if (with.isEmpty()) {
                object.remove(key);
            } else if (!text.isEmpty()) {
                object.insert(key, text);
            }
            credit.value() = object;
        }
    };
    QByteArray bytes = written(credits);
    if (bytes.size() > maxManifestBytes) {
        thinned(QStringLiteral("title"), {});
        bytes = written(credits);
    }
    if (bytes.size() > maxManifestBytes) {
        thinned(QStringLiteral("page"), QStringLiteral("shortPage"));
        bytes = written(credits);
    }
    if (bytes.size() > maxManifestBytes) {
        return std::nullopt;
    }
    return bytes;
}

bool writeWhole(const QString& path, const QByteArray& bytes, QString* reason) {
    if (const auto error = writeFileAtomically(path.toStdString(), bytesOf(bytes))) {
        *reason = writeFailureReason(*error);
        return false;
    }
    return true;
}

} // namespace

UnpackedSharedSet unpackSharedSet(const QString& file, PhotoSet& target,
                                  const UnpackProgress& progress, const SharedSetLimits& limits) {
    try {
        return Unpacking(file, target, progress, limits).run();
    } catch (const std::bad_alloc&) {
        UnpackedSharedSet failed;
        failed.message = refusal(file, QStringLiteral("nedostatek paměti"));
        return failed;
    }
}

std::optional<QString> saveSharedSet(const PhotoSet& set, const SharedSetInfo& info,
                                     const QString& file, const SharedSetLimits& limits) {
    // A photograph read through a link could be anybody's file.
    if (const auto link = set.linkInSet()) {
        return QStringLiteral("Sadu nelze uložit do souboru: obsahuje odkaz „%1“, který vede "
                              "jinam. Odkaz odstraňte, nebo zvolte jinou složku.")
            .arg(*link);
    }
    std::vector<ArchiveEntry> entries;
    entries.push_back({QLatin1String(sharedSetManifest), {}}); // written once credits are known
    std::map<QString, PhotoCredit> creditByPath;
    for (CreditedPhoto& credited : creditsOf(set)) {
        creditByPath.insert_or_assign(credited.path, std::move(credited.credit));
    }
    // Keyed by the entry a photograph is written as, so a credit follows it
    // whether it goes out as it is or re-encoded.
    QJsonObject credits;
    Export out(limits);
    int photographs = 0;
    for (int index = 0; index < breedCount; ++index) {
        int next = 0; // gaps in the set close up in the file
        for (const QString& path : set.photos(index)) {
            QString message;
            auto bytes = out.photograph(path, &message);
            if (!bytes) {
                return message;
            }
            const QString entry = entryName(index, next++);
            if (const auto credit = creditByPath.find(path); credit != creditByPath.end()) {
                credits.insert(entry, creditToJson(credit->second));
            }
            entries.push_back({entry, std::move(*bytes)});
            ++photographs;
        }
    }
    if (photographs == 0) {
        return QStringLiteral("Sada zatím nemá žádnou vlastní fotografii, není co sdílet.");
    }
    // Never reached by photographs an import stored; a file past it would be
    // refused where it is opened.
    if (!out.withinLimits()) {
        return QStringLiteral("Sada je na jeden soubor příliš velká.");
    }
    auto manifest = manifestWith(info, credits);
    if (!manifest) {
        return QStringLiteral("Zdroje fotografií jsou na popis sady příliš dlouhé.");
    }
    entries.front().bytes = std::move(*manifest);
    const auto archive = writeSetArchive(entries);
    if (!archive) {
        return QStringLiteral("Na zápis sady nestačí paměť.");
    }
    QString reason;
    if (!writeWhole(file, *archive, &reason)) {
        return QStringLiteral("Sadu nelze uložit do souboru „%1“: %2.").arg(native(file), reason);
    }
    return std::nullopt;
}

} // namespace tarvelo
