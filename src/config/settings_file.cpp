#include "config/settings_file.h"

#include <QFile>
#include <QSaveFile>

namespace nodra::config {

namespace {

constexpr int kLineCount = 2 + kFileBlockCount;  // marker, blocks, marker
const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

const QString kNotFound = QStringLiteral("Файл не найден");
const QString kBadFormat = QStringLiteral("Файл имеет неверный формат или поврежден");
const QString kSaved = QStringLiteral("Установки успешно сохранены");
const QString kLoaded = QStringLiteral("Установки успешно загружены");

FileOutcome failure(const QString& message)
{
    return {false, link::MessageKind::Error, message};
}

// The lines of a text file; CR LF, LF and a lone CR each end a line.
QList<QByteArray> splitLines(const QByteArray& bytes)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        lines << bytes.mid(start, i - start);
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines << bytes.mid(start);
    return lines;
}

}  // namespace

QString WithExtension(const QString& chosen, const QString& extension)
{
    return chosen.endsWith(extension, Qt::CaseInsensitive) ? chosen : chosen + extension;
}

QByteArray SettingsFileBytes(const ConfigImage& image)
{
    QByteArray bytes = kSettingsMarker.toLatin1() + kLineEnd;
    for (int address : FileBlocks())
        bytes += image.block(address).toLatin1() + kLineEnd;
    bytes += kSettingsMarker.toLatin1() + kLineEnd;
    return bytes;
}

FileOutcome WriteSettingsFile(const QString& path, const ConfigImage& image)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(SettingsFileBytes(image)) < 0 || !file.commit())
        return failure(QStringLiteral("Не удалось записать файл %1").arg(path));
    return {true, link::MessageKind::Confirmation, kSaved};
}

FileOutcome ReadSettingsFile(const QString& path, ConfigImage& image)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(kNotFound);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return failure(QStringLiteral("Не удалось прочитать файл %1").arg(path));
    const QList<QByteArray> lines = splitLines(bytes);
    const QByteArray marker = kSettingsMarker.toLatin1();
    // Lines past the second marker are never looked at.
    if (lines.size() < kLineCount || lines.first() != marker || lines[kLineCount - 1] != marker)
        return failure(kBadFormat);
    ConfigImage read = image;
    for (int i = 0; i < kFileBlockCount; ++i) {
        const QString text = QString::fromLatin1(lines[i + 1]);
        // Lower-case digits are taken as they stand; anything else would
        // later be written into a panel.
        if (!IsHexBytes(text))
            return failure(kBadFormat);
        read.setBlock(FileBlocks()[size_t(i)], text);
    }
    image = read;
    return {true, link::MessageKind::Confirmation, kLoaded};
}

FileOutcome SaveSettings(const QString& chosen, const FormState& form, ConfigImage& image)
{
    const EncodeResult encoded = EncodeForm(form, image);
    if (!encoded.ok())
        return failure(encoded.error->message());
    return WriteSettingsFile(WithExtension(chosen, kSettingsExtension), image);
}

OpenOutcome OpenSettings(const QString& path, ConfigImage& image, FormState& form)
{
    OpenOutcome outcome;
    static_cast<FileOutcome&>(outcome) = ReadSettingsFile(path, image);
    if (!outcome.ok)
        return outcome;
    outcome.accepted = true;
    outcome.decoded = DecodeImage(image, form);
    if (!outcome.decoded.ok()) {
        outcome.ok = false;
        outcome.kind = link::MessageKind::Error;
        outcome.message = outcome.decoded.error->message();
    }
    return outcome;
}

}  // namespace nodra::config
