#include "gprs/ini_document.h"

#include "config/win1251.h"

namespace nodra::gprs {

namespace {

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QString TrimBlanks(const QString& text)
{
    qsizetype first = 0, last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return text.mid(first, last - first);
}

bool Enclosed(const QString& text)
{
    return text.size() >= 2 && (text.front() == u'"' || text.front() == u'\'') && text.back() == text.front();
}

bool SameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

}  // namespace

QString ProfileValue(const QString& raw)
{
    const QString value = TrimBlanks(raw);
    return Enclosed(value) ? value.mid(1, value.size() - 2) : value;
}

QString ProfileWritten(const QString& value)
{
    if (Enclosed(value) || TrimBlanks(value) != value)
        return u'"' + value + u'"';
    return value;
}

IniDocument IniDocument::fromBytes(const QByteArray& bytes)
{
    IniDocument document;
    if (bytes.isEmpty())
        return document;
    if (bytes.contains('\n') && !bytes.contains("\r\n"))
        document.lineEnd_ = QStringLiteral("\n");
    QByteArray text = bytes;
    if (text.endsWith('\n'))
        text.chop(1);
    for (QByteArray line : text.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        document.lines_ << config::DecodeWin1251(line);
    }
    return document;
}

std::optional<QByteArray> IniDocument::toBytes() const
{
    QString text;
    for (const QString& line : lines_)
        text += line + lineEnd_;
    return config::EncodeWin1251(text);
}

std::optional<QString> IniDocument::sectionName(const QString& line)
{
    const QString text = TrimBlanks(line);
    if (!text.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = text.indexOf(u']');
    if (close < 0)
        return std::nullopt;
    return TrimBlanks(text.mid(1, close - 1));
}

std::optional<IniDocument::KeyLine> IniDocument::keyLine(const QString& line)
{
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0 || TrimBlanks(line).startsWith(u';'))
        return std::nullopt;
    return KeyLine{TrimBlanks(line.left(equals)), line.mid(equals + 1)};
}

std::optional<std::pair<qsizetype, qsizetype>> IniDocument::sectionRange(const QString& section) const
{
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        const auto name = sectionName(lines_[i]);
        if (!name || !SameName(*name, section))
            continue;
        qsizetype end = i + 1;
        while (end < lines_.size() && !sectionName(lines_[end]))
            ++end;
        return std::pair(i + 1, end);
    }
    return std::nullopt;
}

std::optional<QString> IniDocument::value(const QString& section, const QString& key) const
{
    const auto range = sectionRange(section);
    if (!range)
        return std::nullopt;
    for (qsizetype i = range->first; i < range->second; ++i)
        if (const auto line = keyLine(lines_[i]); line && SameName(line->key, key))
            return ProfileValue(line->value);
    return std::nullopt;
}

void IniDocument::setValue(const QString& section, const QString& key, const QString& value)
{
    const QString written = key + u'=' + ProfileWritten(value);
    const auto range = sectionRange(section);
    if (!range) {
        lines_ << u'[' + section + u']' << written;
        return;
    }
    qsizetype lastKey = range->first - 1;  // the section line itself
    for (qsizetype i = range->first; i < range->second; ++i) {
        const auto line = keyLine(lines_[i]);
        if (!line)
            continue;
        if (SameName(line->key, key)) {
            lines_[i] = written;
            return;
        }
        lastKey = i;
    }
    lines_.insert(lastKey + 1, written);
}

}  // namespace nodra::gprs
