// SPDX-License-Identifier: GPL-3.0-or-later
// Reading registry values and finding the system-information tool.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "fakes.h"
#include "sysinfo.h"

using namespace vandrel::ui;
using namespace vandrel::ui::testing;

namespace {

const std::string key_name = "SOFTWARE\\Vandrel\\Test";
const std::string value_name = "Value";
// HKEY_LOCAL_MACHINE
constexpr RegRoot hklm = 0x80000002;

QByteArray dword(std::uint32_t v) {
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    return bytes;
}

// Table markers for a value or key that is not there.
constexpr std::uint32_t no_value = 0xFFFF0001;
constexpr std::uint32_t no_key = 0xFFFF0002;

QByteArray terminated(QByteArray text) {
    text.append('\0');
    return text;
}

// Where the tool is looked up: by its full path, then by its folder.
const std::string path_key = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string location_key = "SOFTWARE\\Microsoft\\Shared Tools Location";
const QString unavailable = QStringLiteral("System Information Is Unavailable At This Time");
QString tool(std::size_t i) { return QString::fromLatin1(desktop_sysinfo_tools[i].data(), desktop_sysinfo_tools[i].size()); }

}  // namespace

class SysInfoTest : public QObject {
    Q_OBJECT

private slots:
    void reads_values_data();
    void reads_values();
    void value_without_data_is_an_error_and_closes_the_key();

    void starts_the_tool_data();
    void starts_the_tool();
    void host_file_test_data();
    void host_file_test();
};

void SysInfoTest::reads_values_data() {
    QTest::addColumn<quint32>("type");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QString>("value");

    const QByteArray a1023(1023, 'a');
    QTest::newRow("text with its terminator") << quint32(reg_sz) << terminated("C:\\Tools\\msinfo32.exe") << true
                                              << "C:\\Tools\\msinfo32.exe";
    QTest::newRow("text without terminator") << quint32(reg_sz) << QByteArray("C:\\Tools") << true << "C:\\Tools";
    QTest::newRow("only one final zero dropped")
        << quint32(reg_sz) << QByteArray("ab\0\0", 4) << true << QString::fromLatin1("ab\0", 3);
    QTest::newRow("1024 bytes with terminator") << quint32(reg_sz) << terminated(a1023) << true
                                                << QString::fromLatin1(a1023);
    QTest::newRow("1024 bytes without terminator") << quint32(reg_sz) << QByteArray(1024, 'b') << true
                                                   << QString(1024, QLatin1Char('b'));
    QTest::newRow("1025 bytes is unreadable") << quint32(reg_sz) << terminated(QByteArray(1024, 'c')) << false
                                              << "";
    QTest::newRow("integer with zero top byte") << quint32(reg_dword) << dword(0x00000102) << true << "&h000102";
    QTest::newRow("integer with all four bytes") << quint32(reg_dword) << dword(0x12345678) << true << "&h12345678";
    QTest::newRow("integer in upper case") << quint32(reg_dword) << dword(0xABCDEF01) << true << "&hABCDEF01";
    QTest::newRow("expandable text left as it was") << quint32(reg_expand_sz) << terminated("%windir%\\x.exe")
                                                    << true << "as before";
    QTest::newRow("binary left as it was") << quint32(reg_binary) << QByteArray("\x01\x02", 2) << true
                                           << "as before";
    QTest::newRow("value missing") << quint32(no_value) << QByteArray() << false << "";
    QTest::newRow("key missing") << quint32(no_key) << QByteArray() << false << "";
}

void SysInfoTest::reads_values() {
    QFETCH(quint32, type);
    QFETCH(QByteArray, data);
    QFETCH(bool, result);
    QFETCH(QString, value);

    FakeRegistry registry;
    if (type == no_value)
        registry.set(key_name, "Other", {reg_sz, "x"});
    else if (type != no_key)
        registry.set(key_name, value_name, {type, data});
    QString read = QStringLiteral("as before");
    QCOMPARE(GetKeyValue(registry, hklm, QString::fromStdString(key_name), QString::fromStdString(value_name), read),
             result);
    QCOMPARE(read, value);
    QCOMPARE(registry.keys_open(), std::size_t{0});
    QVERIFY(!registry.bad_open_arguments);
}

void SysInfoTest::value_without_data_is_an_error_and_closes_the_key() {
    for (const std::uint32_t type : {reg_sz, reg_dword, reg_binary}) {
        FakeRegistry registry;
        registry.set(key_name, value_name, {type, QByteArray()});
        QString read = QStringLiteral("as before");
        QVERIFY_THROWS_EXCEPTION(RegistryValueError, GetKeyValue(registry, hklm, QString::fromStdString(key_name),
                                                                 QString::fromStdString(value_name), read));
        QCOMPARE(registry.keys_open(), std::size_t{0});
    }
}

namespace {

enum class Path { none, text, expandable, empty_data, too_long };

}  // namespace
Q_DECLARE_METATYPE(Path)

void SysInfoTest::starts_the_tool_data() {
    QTest::addColumn<Path>("path_value");
    QTest::addColumn<QString>("folder");         // value of lookup 2, "" for none
    QTest::addColumn<QStringList>("files");      // ordinary files that exist
    QTest::addColumn<QStringList>("on_path");    // desktop tools installed
    QTest::addColumn<bool>("start_fails");
    QTest::addColumn<QString>("started");        // "" when nothing may start
    QTest::addColumn<bool>("lookup2_tried");

    const QString tools = QStringLiteral("C:\\Tools\\msinfo32.exe");
    const QString shared = QStringLiteral("C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo");
    const QString shared_tool = shared + QStringLiteral("\\MSINFO32.EXE");

    QTest::newRow("lookup 1 wins over a valid lookup 2")
        << Path::text << shared << QStringList{shared_tool} << QStringList{tool(0)} << false << tools << false;
    QTest::newRow("lookup 1 taken without checking the file")
        << Path::text << QString() << QStringList{} << QStringList{} << false << tools << false;
    QTest::newRow("lookup 2 folder holding the tool")
        << Path::none << shared << QStringList{shared_tool} << QStringList{tool(0)} << false << shared_tool << true;
    QTest::newRow("too long a PATH falls through to lookup 2")
        << Path::too_long << shared << QStringList{shared_tool} << QStringList{} << false << shared_tool << true;
    QTest::newRow("lookup 2 folder without the tool, desktop tool installed")
        << Path::none << shared << QStringList{} << QStringList{tool(2)} << false << "/usr/bin/" + tool(2) << true;
    QTest::newRow("lookup 2 folder without the tool, nothing installed")
        << Path::none << shared << QStringList{} << QStringList{} << false << QString() << true;
    QTest::newRow("desktop tools in their order")
        << Path::none << QString() << QStringList{} << QStringList{tool(3), tool(1)} << false
        << "/usr/bin/" + tool(1) << true;
    QTest::newRow("no tool anywhere")
        << Path::none << QString() << QStringList{} << QStringList{} << false << QString() << true;
    QTest::newRow("PATH of another type leaves the path empty")
        << Path::expandable << shared << QStringList{shared_tool} << QStringList{tool(0)} << false << QString()
        << false;
    QTest::newRow("PATH without data")
        << Path::empty_data << shared << QStringList{shared_tool} << QStringList{tool(0)} << false << QString()
        << false;
    QTest::newRow("tool that cannot be started")
        << Path::text << QString() << QStringList{} << QStringList{tool(0)} << true << QString() << false;
}

void SysInfoTest::starts_the_tool() {
    QFETCH(Path, path_value);
    QFETCH(QString, folder);
    QFETCH(QStringList, files);
    QFETCH(QStringList, on_path);
    QFETCH(bool, start_fails);
    QFETCH(QString, started);
    QFETCH(bool, lookup2_tried);

    FakeSystem system;
    const std::string& path1 = path_key;
    const QByteArray tools = terminated("C:\\Tools\\msinfo32.exe");
    switch (path_value) {
    case Path::none: system.fake_registry.add_key(path1); break;
    case Path::text: system.fake_registry.set(path1, "PATH", {reg_sz, tools}); break;
    case Path::expandable: system.fake_registry.set(path1, "PATH", {reg_expand_sz, tools}); break;
    case Path::empty_data: system.fake_registry.set(path1, "PATH", {reg_sz, QByteArray()}); break;
    case Path::too_long: system.fake_registry.set(path1, "PATH", {reg_sz, QByteArray(1025, 'x')}); break;
    }
    if (!folder.isEmpty())
        system.fake_registry.set(location_key, "MSINFO", {reg_sz, terminated(folder.toLatin1())});
    system.files = QSet<QString>(files.begin(), files.end());
    system.on_path = QSet<QString>(on_path.begin(), on_path.end());
    if (start_fails)
        system.unstartable.insert(QStringLiteral("C:\\Tools\\msinfo32.exe"));

    RecordingSink sink;
    SinkGuard sink_guard(sink);
    QWidget owner;
    StartSysInfo(system, &owner);

    const bool expect_message = started.isEmpty();
    if (expect_message) {
        QVERIFY(system.started.isEmpty() || start_fails);
        QCOMPARE(sink.messages.size(), std::size_t{1});
        QCOMPARE(sink.messages[0].first, &owner);
        QCOMPARE(sink.messages[0].second, unavailable);
    } else {
        QCOMPARE(system.started, QStringList{started});
        QVERIFY(sink.messages.empty());
    }
    QCOMPARE(system.fake_registry.was_opened(path_key), true);
    QCOMPARE(system.fake_registry.was_opened(location_key), lookup2_tried);
    QCOMPARE(system.fake_registry.keys_open(), std::size_t{0});
    QVERIFY(!system.fake_registry.bad_open_arguments);
}

void SysInfoTest::host_file_test_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("ordinary");
    QTest::newRow("ordinary file") << "MSINFO32.EXE" << true;
    QTest::newRow("folder") << "folder" << false;
    QTest::newRow("hidden file") << ".hidden" << false;
    QTest::newRow("missing") << "missing.exe" << false;
}

void SysInfoTest::host_file_test() {
    QFETCH(QString, name);
    QFETCH(bool, ordinary);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const QString& file : {QStringLiteral("MSINFO32.EXE"), QStringLiteral(".hidden")}) {
        QFile f(dir.filePath(file));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    QCOMPARE(system_access().is_ordinary_file(dir.filePath(name)), ordinary);
}

QTEST_MAIN(SysInfoTest)
#include "sysinfo_test.moc"
