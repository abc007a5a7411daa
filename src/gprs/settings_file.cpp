#include "gprs/settings_file.h"

#include "config/win1251.h"
#include "gprs/ini_document.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <functional>

namespace nodra::gprs {

namespace {

const QString kWriteFailed = QStringLiteral("Unable to write to %1");
const QString kNotWritable = QStringLiteral("Поле \"%1\" содержит символы, которых нет в кодировке Windows-1251");

// The default of most texts when their key is missing.
const QString kUnknown = QStringLiteral("?");

// The object number is a text whose loading runs the object's change rule.
enum class Kind { Check, Index, Text, Object };

// One row of the file. The order is the order of writing and of loading.
struct Row {
    const char* section;
    Kind kind;
    std::function<QString&(GprsState&)> text;  // Text and Object rows
    std::function<bool&(GprsState&)> check;    // Check rows
    QString missing;                           // Text and Object rows: the value of a missing key
};

Row TextRow(const char* section, std::function<QString&(GprsState&)> field, const QString& missing)
{
    return {section, Kind::Text, std::move(field), {}, missing};
}

Row CheckRow(const char* section, std::function<bool&(GprsState&)> field)
{
    return {section, Kind::Check, {}, std::move(field), {}};
}

const QList<Row>& Rows()
{
    static const QList<Row> rows = [] {
        QList<Row> r = {
            CheckRow("CheckEnTst", [](GprsState& s) -> bool& { return s.keepAliveEnabled; }),
            {"sComboBox_ChProtocol", Kind::Index, {}, {}, {}},
            {"AdvEdit_Object", Kind::Object, [](GprsState& s) -> QString& { return s.objectNumber; }, {},
             QStringLiteral("0000")},
            TextRow("AdvEdit_TestPer", [](GprsState& s) -> QString& { return s.testPeriodHours; }, kUnknown),
            TextRow("AdvEdit_TestHou", [](GprsState& s) -> QString& { return s.testStartHour; }, kUnknown),
            TextRow("AdvEdit_TestMin", [](GprsState& s) -> QString& { return s.testStartMinute; }, kUnknown),
            CheckRow("sCheckBoxVerConn", [](GprsState& s) -> bool& { return s.checkConnection; }),
            TextRow("EDIT_Test", [](GprsState& s) -> QString& { return s.keepAliveMessage; }, kUnknown),
            TextRow("AdvEditHeartHexSufix", [](GprsState& s) -> QString& { return s.keepAliveSuffix; },
                    QStringLiteral("14")),
            TextRow("EDIT_TestPer", [](GprsState& s) -> QString& { return s.keepAlivePeriod; }, kUnknown),
            TextRow("AdvEdit_POINT_1", [](GprsState& s) -> QString& { return s.accessPoints[0]; }, kUnknown),
            TextRow("AdvEdit_POINT_2", [](GprsState& s) -> QString& { return s.accessPoints[1]; }, kUnknown),
            TextRow("AdvEditNomerAlter", [](GprsState& s) -> QString& { return s.alternativeNumber; }, kUnknown),
        };
        // Per SIM card: the three server entries, then the three local ports.
        static const char* const kSections[kSimCount][2][kServersPerSim] = {
            {{"AdvEdit_Sim1Serv1", "AdvEdit_Sim1Serv2", "AdvEdit_Sim1Serv3"},
             {"AdvEdit_LocalPortSim1Serv1", "AdvEdit_LocalPortSim1Serv2", "AdvEdit_LocalPortSim1Serv3"}},
            {{"AdvEdit_Sim2Serv1", "AdvEdit_Sim2Serv2", "AdvEdit_Sim2Serv3"},
             {"AdvEdit_LocalPortSim2Serv1", "AdvEdit_LocalPortSim2Serv2", "AdvEdit_LocalPortSim2Serv3"}},
        };
        for (int sim = 0; sim < kSimCount; ++sim) {
            for (int n = 0; n < kServersPerSim; ++n)
                r << TextRow(kSections[sim][0][n],
                             [sim, n](GprsState& s) -> QString& { return s.servers[sim][n].entry; }, {});
            for (int n = 0; n < kServersPerSim; ++n)
                r << TextRow(kSections[sim][1][n],
                             [sim, n](GprsState& s) -> QString& { return s.servers[sim][n].localPort; }, {});
        }
        return r;
    }();
    return rows;
}

QString KeyOf(Kind kind)
{
    switch (kind) {
    case Kind::Check: return QStringLiteral("Checked");
    case Kind::Index: return QStringLiteral("ItemIndex");
    case Kind::Text:
    case Kind::Object: return QStringLiteral("Text");
    }
    return {};
}

// A whole number as the profile functions read one: decimal with an
// optional sign, or "0x" and hex digits.
std::optional<int> ProfileInteger(const QString& text)
{
    bool ok = false;
    int value = 0;
    if (text.size() > 2 && text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        const QString digits = text.mid(2);
        const bool plain = !digits.startsWith(u'+') && !digits.startsWith(u'-');
        value = int(digits.toUInt(&ok, 16));
        ok = ok && plain;
    } else {
        value = text.toInt(&ok, 10);
    }
    return ok ? std::optional<int>(value) : std::nullopt;
}

QString Written(const Row& row, GprsState& state)
{
    switch (row.kind) {
    case Kind::Check: return row.check(state) ? QStringLiteral("1") : QStringLiteral("0");
    case Kind::Index: return QString::number(state.protocolIndex);
    case Kind::Text:
    case Kind::Object: return row.text(state);
    }
    return {};
}

void Load(const Row& row, const std::optional<QString>& value, GprsState& state)
{
    const auto number = value ? ProfileInteger(*value) : std::nullopt;
    switch (row.kind) {
    case Kind::Check:
        row.check(state) = number ? *number != 0 : true;
        return;
    case Kind::Index: {
        const int index = number.value_or(0);
        // The list is selection only: an index it does not have selects nothing.
        state.protocolIndex = index >= 0 && index < ProtocolItems().size() ? index : kNoProtocol;
        return;
    }
    case Kind::Text:
        row.text(state) = value.value_or(row.missing);
        return;
    case Kind::Object:
        state.setObjectNumber(value.value_or(row.missing));
        return;
    }
}

}  // namespace

bool LoadCommunicatorSettings(const QString& path, GprsState& state)
{
    QFile file(path);
    const bool readable = file.open(QIODevice::ReadOnly);
    const IniDocument document = IniDocument::fromBytes(readable ? file.readAll() : QByteArray());
    for (const Row& row : Rows())
        Load(row, document.value(QLatin1String(row.section), KeyOf(row.kind)), state);
    return readable;
}

QString SaveCommunicatorSettings(const QString& path, const GprsState& state)
{
    IniDocument document;
    if (QFile existing(path); existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly))
            return kWriteFailed.arg(path);
        document = IniDocument::fromBytes(existing.readAll());
    }
    GprsState values = state;
    for (const Row& row : Rows()) {
        const QString text = Written(row, values);
        if (!config::EncodeWin1251(text) || text.contains(u'\n') || text.contains(u'\r'))
            return kNotWritable.arg(QLatin1String(row.section));
        document.setValue(QLatin1String(row.section), KeyOf(row.kind), text);
    }
    const auto bytes = document.toBytes();
    QSaveFile file(path);
    if (!bytes || !file.open(QIODevice::WriteOnly) || file.write(*bytes) != bytes->size() || !file.commit())
        return kWriteFailed.arg(path);
    return {};
}

bool LoadStartupCommunicatorSettings(const QString& programFolder, GprsState& state)
{
    const QString path = CommunicatorFilePath(programFolder, kStartupFileName);
    return QFileInfo(path).isFile() && LoadCommunicatorSettings(path, state);
}

QString CommunicatorFilePath(const QString& programFolder, const QString& chosen)
{
    return QDir(programFolder).filePath(QFileInfo(chosen).fileName());
}

}  // namespace nodra::gprs
