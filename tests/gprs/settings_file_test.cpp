// The communicator settings file: its rows, its number rules, and what a
// save keeps of a file made elsewhere.

#include "config/win1251.h"
#include "gprs/settings_file.h"
#include "gprs_fixture.h"
#include "test_registry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace nodra;
using namespace nodra::gprs;

namespace {

QByteArray Lines(const QStringList& lines)
{
    return *nodra::config::EncodeWin1251(QString(lines.join(u"\r\n"_qs) + u"\r\n"_qs));
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A state loaded from this file text.
GprsState Loaded(const QTemporaryDir& dir, const QByteArray& text)
{
    const QString path = dir.filePath(u"loaded.ini"_qs);
    WriteFile(path, text);
    GprsState state;
    state.protocolIndex = 1;  // so that a default shows
    LoadCommunicatorSettings(path, state);
    return state;
}

// What a file without any of the keys gives, object aside.
QStringList MissingKeyFields(const QString& object)
{
    QStringList fields = {
        u"CheckEnTst=1"_qs, u"sComboBox_ChProtocol=0"_qs, u"AdvEdit_Object="_qs + object,
        u"AdvEdit_TestPer=?"_qs, u"AdvEdit_TestHou=?"_qs, u"AdvEdit_TestMin=?"_qs, u"sCheckBoxVerConn=1"_qs,
        u"EDIT_Test=?"_qs, u"AdvEditHeartHexSufix=14"_qs, u"EDIT_TestPer=?"_qs, u"AdvEdit_POINT_1=?"_qs,
        u"AdvEdit_POINT_2=?"_qs, u"AdvEditNomerAlter=?"_qs,
    };
    for (int sim = 1; sim <= kSimCount; ++sim)
        for (int n = 1; n <= kServersPerSim; ++n)
            fields << u"AdvEdit_Sim%1Serv%2="_qs.arg(sim).arg(n) << u"AdvEdit_LocalPortSim%1Serv%2="_qs.arg(sim).arg(n);
    return fields;
}

}  // namespace

class SettingsFileTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { QVERIFY(dir.isValid()); }
    void startValuesFileIsByteExact();
    void everyFieldSurvivesSaveAndLoad();
    void awkwardTextsSurvive_data();
    void awkwardTextsSurvive();
    void numbers_data();
    void numbers();
    void fileWithOnlyTheObject();
    void missingFileGivesTheDefaults();
    void saveKeepsWhatItDoesNotName();
    void textsAreWindows1251();
    void failedSaveLeavesTheFile();
    void fileLiesInTheProgramFolder();
    void startupFileOnlyWhenThere();

private:
    QTemporaryDir dir;
};

// Rows in their order, one key each, CR LF as the Windows machines write.
void SettingsFileTest::startValuesFileIsByteExact()
{
    const QString path = dir.filePath(u"start.ini"_qs);
    QCOMPARE(SaveCommunicatorSettings(path, GprsState()), QString());
    const QString tcp = u"Text=\"TCP\",\"192.0.2.10\",7789"_qs;
    const QString udp = u"Text=\"UDP\",\"192.0.2.10\",7790"_qs;
    QCOMPARE(ReadFile(path),
             Lines({u"[CheckEnTst]"_qs, u"Checked=1"_qs, u"[sComboBox_ChProtocol]"_qs, u"ItemIndex=0"_qs,
                    u"[AdvEdit_Object]"_qs, u"Text=2222"_qs, u"[AdvEdit_TestPer]"_qs, u"Text=24"_qs,
                    u"[AdvEdit_TestHou]"_qs, u"Text=14"_qs, u"[AdvEdit_TestMin]"_qs, u"Text=17"_qs,
                    u"[sCheckBoxVerConn]"_qs, u"Checked=1"_qs, u"[EDIT_Test]"_qs, u"Text=5000 182222"_qs,
                    u"[AdvEditHeartHexSufix]"_qs, u"Text=14"_qs, u"[EDIT_TestPer]"_qs, u"Text=40"_qs,
                    u"[AdvEdit_POINT_1]"_qs, u"Text=internet"_qs, u"[AdvEdit_POINT_2]"_qs, u"Text=internet"_qs,
                    u"[AdvEditNomerAlter]"_qs, u"Text="_qs,
                    u"[AdvEdit_Sim1Serv1]"_qs, tcp, u"[AdvEdit_Sim1Serv2]"_qs, tcp, u"[AdvEdit_Sim1Serv3]"_qs, tcp,
                    u"[AdvEdit_LocalPortSim1Serv1]"_qs, u"Text=7789"_qs, u"[AdvEdit_LocalPortSim1Serv2]"_qs,
                    u"Text=7789"_qs, u"[AdvEdit_LocalPortSim1Serv3]"_qs, u"Text=7789"_qs,
                    u"[AdvEdit_Sim2Serv1]"_qs, udp, u"[AdvEdit_Sim2Serv2]"_qs, udp, u"[AdvEdit_Sim2Serv3]"_qs, udp,
                    u"[AdvEdit_LocalPortSim2Serv1]"_qs, u"Text=7790"_qs, u"[AdvEdit_LocalPortSim2Serv2]"_qs,
                    u"Text=7790"_qs, u"[AdvEdit_LocalPortSim2Serv3]"_qs, u"Text=7790"_qs}));
}

// The keep-alive message is loaded after the object, whose rule rewrites it
// on the way, and wins.
void SettingsFileTest::everyFieldSurvivesSaveAndLoad()
{
    const QString path = dir.filePath(u"site.ini"_qs);
    const GprsState saved = test::EveryFieldChanged();
    QCOMPARE(SaveCommunicatorSettings(path, saved), QString());
    GprsState loaded;
    QVERIFY(LoadCommunicatorSettings(path, loaded));
    QCOMPARE(test::Fields(loaded), test::Fields(saved));
    QCOMPARE(loaded.keepAliveMessage, u"Объект 0457"_qs);
}

// Texts the format has no quoting for come back as they were typed.
void SettingsFileTest::awkwardTextsSurvive_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("server entry with quotes and commas") << "\"TCP\",\"10.0.0.1\",3035";
    QTest::newRow("enclosed in double quotes") << "\"internet\"";
    QTest::newRow("enclosed in single quotes") << "'internet'";
    QTest::newRow("a lone quote") << "\"";
    QTest::newRow("leading and trailing blanks") << "  internet ";
    QTest::newRow("equals sign and brackets") << "a=b [c]";
    QTest::newRow("semicolon first") << ";internet";
    QTest::newRow("backslashes") << "C:\\net\\";
    QTest::newRow("empty") << "";
}

void SettingsFileTest::awkwardTextsSurvive()
{
    QFETCH(QString, text);
    const QString path = dir.filePath(u"awkward.ini"_qs);
    GprsState saved;
    saved.accessPoints[0] = text;
    saved.servers[1][2].entry = text;
    QCOMPARE(SaveCommunicatorSettings(path, saved), QString());
    GprsState loaded;
    LoadCommunicatorSettings(path, loaded);
    QCOMPARE(loaded.accessPoints[0], text);
    QCOMPARE(loaded.servers[1][2].entry, text);
}

// Check boxes and the item index take any whole number, "0x" hex too; a
// value that is no whole number gives the default.
void SettingsFileTest::numbers_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<int>("index");

    QTest::newRow("5") << "5" << true << kNoProtocol;
    QTest::newRow("abc: default") << "abc" << true << 0;
    QTest::newRow("0") << "0" << false << 0;
    QTest::newRow("1") << "1" << true << 1;
    QTest::newRow("0x1") << "0x1" << true << 1;
    QTest::newRow("0x0") << "0x0" << false << 0;
    QTest::newRow("0X10") << "0X10" << true << kNoProtocol;
    QTest::newRow("-1") << "-1" << true << kNoProtocol;
    QTest::newRow("blanks around 0") << " 0 " << false << 0;
    QTest::newRow("empty: default") << "" << true << 0;
    QTest::newRow("0x alone: default") << "0x" << true << 0;
    QTest::newRow("too large: default") << "99999999999" << true << 0;
}

void SettingsFileTest::numbers()
{
    QFETCH(QString, value);
    QFETCH(bool, checked);
    QFETCH(int, index);
    const GprsState state = Loaded(dir, Lines({u"[CheckEnTst]"_qs, u"Checked="_qs + value,
                                               u"[sCheckBoxVerConn]"_qs, u"checked="_qs + value,
                                               u"[SCOMBOBOX_CHPROTOCOL]"_qs, u"ItemIndex="_qs + value}));
    QCOMPARE(state.keepAliveEnabled, checked);
    QCOMPARE(state.checkConnection, checked);
    QCOMPARE(state.protocolIndex, index);
}

void SettingsFileTest::fileWithOnlyTheObject()
{
    const GprsState state = Loaded(dir, Lines({u"[AdvEdit_Object]"_qs, u"Text=0457"_qs}));
    QCOMPARE(test::Fields(state), MissingKeyFields(u"0457"_qs));
}

void SettingsFileTest::missingFileGivesTheDefaults()
{
    GprsState state;
    QVERIFY(!LoadCommunicatorSettings(dir.filePath(u"none.ini"_qs), state));
    QCOMPARE(test::Fields(state), MissingKeyFields(u"0000"_qs));
}

// Keys are replaced where they stand, whatever the case of their names; new
// keys go to the end of their section, new sections to the end of the file;
// everything else stays as it was.
void SettingsFileTest::saveKeepsWhatItDoesNotName()
{
    const QString path = dir.filePath(u"kept.ini"_qs);
    QStringList before = {
        u"; made on the installer's laptop"_qs,
        u"[Объект]"_qs, u"Адрес=ул. Шевченко, 5"_qs, u""_qs,
        u"[checkentst]"_qs, u"CHECKED=0"_qs, u"Note=kept"_qs,
        u"[AdvEdit_Object]"_qs, u"Comment=first"_qs, u""_qs,
        u"[Installer]"_qs, u"Name=Петренко"_qs,
    };
    WriteFile(path, Lines(before));
    GprsState state;
    state.keepAliveEnabled = true;
    QCOMPARE(SaveCommunicatorSettings(path, state), QString());

    const QStringList after = nodra::config::DecodeWin1251(ReadFile(path)).split(u"\r\n"_qs);
    QCOMPARE(after.mid(0, 13), (QStringList{
                                   u"; made on the installer's laptop"_qs,
                                   u"[Объект]"_qs, u"Адрес=ул. Шевченко, 5"_qs, u""_qs,
                                   u"[checkentst]"_qs, u"Checked=1"_qs, u"Note=kept"_qs,
                                   u"[AdvEdit_Object]"_qs, u"Comment=first"_qs, u"Text=2222"_qs, u""_qs,
                                   u"[Installer]"_qs, u"Name=Петренко"_qs,
                               }));
    QCOMPARE(after.mid(13, 2), (QStringList{u"[sComboBox_ChProtocol]"_qs, u"ItemIndex=0"_qs}));
    QCOMPARE(after.size(), 13 + 2 * 23 + 1);  // the other 23 sections appended, then the last CR LF
    // A file saved on a Linux machine keeps its line ends.
    WriteFile(path, "[Installer]\nName=x\n");
    QCOMPARE(SaveCommunicatorSettings(path, state), QString());
    QVERIFY(ReadFile(path).startsWith("[Installer]\nName=x\n[CheckEnTst]\nChecked=1\n"));
    QVERIFY(!ReadFile(path).contains('\r'));
}

// Cyrillic goes to the file as Windows-1251 bytes and comes back from them.
void SettingsFileTest::textsAreWindows1251()
{
    const QString path = dir.filePath(u"cyrillic.ini"_qs);
    GprsState state;
    state.servers[0][0].entry = u"\"TCP\",\"пульт.укр\",3035"_qs;
    QCOMPARE(SaveCommunicatorSettings(path, state), QString());
    QVERIFY(ReadFile(path).contains("Text=\"TCP\",\"\xEF\xF3\xEB\xFC\xF2.\xF3\xEA\xF0\",3035\r\n"));

    const GprsState loaded = Loaded(dir, "[AdvEdit_POINT_2]\r\nText=\xB2\xED\xF2\xE5\xF0\xED\xE5\xF2\r\n");
    QCOMPARE(loaded.accessPoints[1], u"Інтернет"_qs);
}

void SettingsFileTest::failedSaveLeavesTheFile()
{
    const QString path = dir.filePath(u"refused.ini"_qs);
    WriteFile(path, "[Installer]\r\nName=x\r\n");
    GprsState state;
    state.alternativeNumber = u"A380✓"_qs;
    QCOMPARE(SaveCommunicatorSettings(path, state),
             u"Поле \"AdvEditNomerAlter\" содержит символы, которых нет в кодировке Windows-1251"_qs);
    QCOMPARE(ReadFile(path), QByteArray("[Installer]\r\nName=x\r\n"));

    const QString nowhere = dir.filePath(u"no-such-folder/site.ini"_qs);
    QCOMPARE(SaveCommunicatorSettings(nowhere, GprsState()), u"Unable to write to "_qs + nowhere);
}

// Only the name of the file the installer picks is used, in the program's folder.
void SettingsFileTest::fileLiesInTheProgramFolder()
{
    QCOMPARE(CommunicatorFilePath(u"/opt/nodra"_qs, u"/home/installer/my.ini"_qs), u"/opt/nodra/my.ini"_qs);
    QCOMPARE(CommunicatorFilePath(u"/opt/nodra"_qs, kStartupFileName), u"/opt/nodra/dUzuzo.ini"_qs);
}

// Without the start-up file the tab keeps its start values, not the defaults
// of missing keys.
void SettingsFileTest::startupFileOnlyWhenThere()
{
    QTemporaryDir folder;
    GprsState state;
    QVERIFY(!LoadStartupCommunicatorSettings(folder.path(), state));
    QCOMPARE(test::Fields(state), test::Fields(GprsState()));
    WriteFile(folder.filePath(u"dUzuzo.ini"_qs), Lines({u"[AdvEdit_Object]"_qs, u"Text=0457"_qs}));
    QVERIFY(LoadStartupCommunicatorSettings(folder.path(), state));
    QCOMPARE(test::Fields(state), MissingKeyFields(u"0457"_qs));
}

NODRA_TEST(SettingsFileTest)
#include "settings_file_test.moc"
