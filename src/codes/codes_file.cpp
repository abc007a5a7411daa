#include "codes/codes_file.h"

#include "config/conversion.h"

#include <QFile>
#include <QSaveFile>

namespace nodra::codes {

namespace {

config::FileOutcome error(const QString& message)
{
    return {false, link::MessageKind::Error, message};
}

config::FileOutcome confirmation(const QString& message)
{
    return {true, link::MessageKind::Confirmation, message};
}

}  // namespace

config::FileOutcome SaveCodesFile(const QString& chosen, const CodesState& codes, config::ConfigImage& image)
{
    QSaveFile file(config::WithExtension(chosen, kCodesExtension));
    if (!file.open(QIODevice::WriteOnly))
        return error(QStringLiteral("Не удалось сохранить коды"));
    const QString text = CodesTextFromGrid(codes.cells, CodeCase::Upper);
    image.setBlock(config::block::kCodes, text);
    if (file.write(text.toLatin1() + QByteArrayLiteral("\r\n")) < 0 || !file.commit())
        return error(QStringLiteral("Не удалось сохранить коды"));
    return confirmation(QStringLiteral("Коды успешно сохранены"));
}

config::FileOutcome LoadCodesFile(const QString& path, CodesState& codes, config::ConfigImage& image)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return error(QStringLiteral("Не удалось открыть файл"));
    QByteArray line = file.readLine();
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    const QString text = QString::fromLatin1(line);
    if (text.size() != kCodesTextLength || !config::IsHexText(text))
        return error(QStringLiteral("Файл имеет неверный формат или поврежден"));
    const QString codesText = text.toUpper();
    image.setBlock(config::block::kCodes, codesText);
    codes.cells = GridFromCodesText(codesText);
    return confirmation(QStringLiteral("Коды успешно загружены"));
}

}  // namespace nodra::codes
