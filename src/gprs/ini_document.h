#pragma once
// An INI file as the Windows profile functions see it, kept line by line so
// that a save changes only the keys it writes: section and key names match
// without regard to case, the first section and key of a name count, a key
// is replaced where it stands, a new key goes to the end of its section and
// a new section to the end of the file. Values are trimmed of blanks and of
// one pair of enclosing quotes when read; a value that would lose something
// that way is written inside double quotes. Text is Windows-1251.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace nodra::gprs {

class IniDocument {
public:
    static IniDocument fromBytes(const QByteArray& bytes);
    // Nothing when a character has no byte in Windows-1251.
    std::optional<QByteArray> toBytes() const;

    std::optional<QString> value(const QString& section, const QString& key) const;
    void setValue(const QString& section, const QString& key, const QString& value);

    const QStringList& lines() const { return lines_; }

private:
    struct KeyLine {
        QString key;
        QString value;
    };
    static std::optional<QString> sectionName(const QString& line);
    static std::optional<KeyLine> keyLine(const QString& line);
    // Lines [first, end) of the first section of this name; nothing when absent.
    std::optional<std::pair<qsizetype, qsizetype>> sectionRange(const QString& section) const;

    QStringList lines_;
    QString lineEnd_ = QStringLiteral("\r\n");  // as Windows writes them; kept for a file that has LF only
};

// Blanks and one pair of enclosing quotes off, as the profile functions read.
QString ProfileValue(const QString& raw);
// How a value is written so that it reads back unchanged.
QString ProfileWritten(const QString& value);

}  // namespace nodra::gprs
