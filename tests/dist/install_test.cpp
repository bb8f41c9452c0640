// The installed layout: an install into a fresh prefix holds every file, the
// installed program finds its libraries and help from any folder, and the files
// that describe it to the desktop pass their validators.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <functional>
#include <memory>

namespace {

const QString appId = QStringLiteral(TSLN_APP_ID);

struct Result {
    int status = -1;
    QString out;
    QString err;
};

Result run(const QString& program, const QStringList& arguments, const QString& folder = QString(),
           int ms = 120000)
{
    QProcess process;
    if (!folder.isEmpty())
        process.setWorkingDirectory(folder);
    process.start(program, arguments);
    Result r;
    if (!process.waitForFinished(ms)) {
        process.kill();
        process.waitForFinished();
        r.err = QStringLiteral("%1 did not finish").arg(program);
        return r;
    }
    r.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    r.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(process.readAllStandardError());
    return r;
}

QStringList listFrom(const char* text) { return QString::fromLatin1(text).split(',', Qt::SkipEmptyParts); }

// One install into a fresh prefix, shared by the tests of this file.
class Installed : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        prefix_ = std::make_unique<QTemporaryDir>();
        const Result r =
            run(QStringLiteral(TSLN_CMAKE), {"--install", TSLN_BUILD_DIR, "--prefix", prefix_->path()});
        installed_ = r.status == 0;
        log_ = r.out + r.err;
    }
    static void TearDownTestSuite() { prefix_.reset(); }

    void SetUp() override { ASSERT_TRUE(installed_) << qPrintable(log_); }

    static QString path(const QString& relative) { return QDir(prefix_->path()).filePath(relative); }

    static std::unique_ptr<QTemporaryDir> prefix_;
    static bool installed_;
    static QString log_;
};

std::unique_ptr<QTemporaryDir> Installed::prefix_;
bool Installed::installed_ = false;
QString Installed::log_;

}  // namespace

TEST_F(Installed, EveryFileIsInItsPlace)
{
    QStringList programs = {"bin/tsln", "bin/tsln-sim", "bin/tsln-ctl", "bin/tsln-mem"};
    QStringList files = {
        "share/tessaline/TSLN.HLP",
        "share/applications/" + appId + ".desktop",
        "share/metainfo/" + appId + ".metainfo.xml",
        "share/icons/hicolor/scalable/apps/" + appId + ".svg",
        "share/man/man1/tsln.1.gz",
        "share/man/man1/tsln-sim.1.gz",
        "share/man/man1/tsln-ctl.1.gz",
        "share/man/man1/tsln-mem.1.gz",
        "share/doc/tessaline/copyright",
        "share/doc/tessaline/changelog.gz",
    };
    const QStringList libraries = listFrom(TSLN_ART_LIBRARIES);
    ASSERT_FALSE(libraries.isEmpty());
    for (const QString& library : libraries)
        files << "lib/tessaline/art/" + library;
    for (const QString& size : listFrom(TSLN_ICON_SIZES))
        files << QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size, appId);

    for (const QString& program : programs) {
        const QFileInfo info(path(program));
        EXPECT_TRUE(info.isFile() && info.isExecutable()) << qPrintable(program);
    }
    for (const QString& file : files) {
        const QFileInfo info(path(file));
        EXPECT_TRUE(info.isFile() && info.size() > 0) << qPrintable(file);
        EXPECT_FALSE(info.isExecutable()) << qPrintable(file);
    }
    // Nothing else: every file installed is one of the above.
    QStringList extra;
    const QStringList expected = programs + files;
    QDir root(prefix_->path());
    const std::function<void(const QString&)> walk = [&](const QString& dir) {
        for (const QFileInfo& info :
             QDir(dir).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
            if (info.isDir())
                walk(info.filePath());
            else if (!expected.contains(root.relativeFilePath(info.filePath())))
                extra << root.relativeFilePath(info.filePath());
        }
    };
    walk(root.path());
    EXPECT_TRUE(extra.isEmpty()) << qPrintable(extra.join(", "));
}

TEST_F(Installed, TheProgramFindsItsLibrariesAndHelpFromAnotherFolderBeforeAnyPlantedThere)
{
    // A library of the same name lying in the folder the program is started from
    // must not win over the program's own.
    QTemporaryDir elsewhere;
    QFile planted(QDir(elsewhere.path()).filePath("PV756.dll"));
    ASSERT_TRUE(planted.open(QIODevice::WriteOnly));
    planted.close();

    const Result r = run(path("bin/tsln"), {"--paths"}, elsewhere.path());
    ASSERT_EQ(r.status, 0) << qPrintable(r.err);
    for (const QString& library : listFrom(TSLN_ART_LIBRARIES)) {
        const QString line = QStringLiteral("%1: ").arg(library);
        const QString expected = QFileInfo(path("lib/tessaline/art/" + library)).absoluteFilePath();
        EXPECT_TRUE(r.out.contains(QRegularExpression(
            "^" + QRegularExpression::escape(line) + " *" + QRegularExpression::escape(expected) + "$",
            QRegularExpression::MultilineOption)))
            << qPrintable(r.out);
    }
    EXPECT_TRUE(r.out.contains(QRegularExpression(
        "^TSLN.HLP: +" +
            QRegularExpression::escape(QFileInfo(path("share/tessaline/TSLN.HLP")).absoluteFilePath()) + "$",
        QRegularExpression::MultilineOption)))
        << qPrintable(r.out);
    EXPECT_FALSE(r.out.contains(planted.fileName())) << qPrintable(r.out);
}

TEST_F(Installed, AnArtFolderNamedOnTheCommandLineIsLookedInFirst)
{
    QTemporaryDir art;
    QFile kept(QDir(art.path()).filePath("PV756.dll"));
    ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
    kept.close();
    const Result r = run(path("bin/tsln"), {"--art-dir", art.path(), "--paths"}, QDir::tempPath());
    ASSERT_EQ(r.status, 0) << qPrintable(r.err);
    EXPECT_TRUE(r.out.contains(QRegularExpression(
        "^PV756.dll: +" + QRegularExpression::escape(QFileInfo(kept.fileName()).absoluteFilePath()) + "$",
        QRegularExpression::MultilineOption)))
        << qPrintable(r.out);
    // The others still come from the installed folder.
    EXPECT_TRUE(r.out.contains(QRegularExpression(
        "^PV821.dll: +" +
            QRegularExpression::escape(QFileInfo(path("lib/tessaline/art/PV821.dll")).absoluteFilePath()) +
            "$",
        QRegularExpression::MultilineOption)))
        << qPrintable(r.out);
}

TEST_F(Installed, VersionAndHelpAnswerOnTheTerminal)
{
    QTemporaryDir elsewhere;
    struct Case {
        QStringList args;
        int status;
        const char* expected;  // in standard output, or in standard error for a failure
    };
    const Case cases[] = {
        {{"--version"}, 0, "tsln " TSLN_VERSION "\n"},
        {{"-v"}, 0, "tsln " TSLN_VERSION "\n"},
        {{"--help"}, 0, "--paths"},
        {{"--bogus"}, 2, "Unknown option 'bogus'"},
        {{"stray"}, 2, "unexpected argument 'stray'"},
    };
    for (const Case& c : cases) {
        // No display: the answers must not need one.
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(elsewhere.path());
        process.start(path("bin/tsln"), c.args);
        ASSERT_TRUE(process.waitForFinished(60000));
        const QString out = QString::fromLocal8Bit(process.readAllStandardOutput());
        const QString err = QString::fromLocal8Bit(process.readAllStandardError());
        EXPECT_EQ(process.exitCode(), c.status) << qPrintable(c.args.join(' ') + ": " + err);
        const QString& where = c.status == 0 ? out : err;
        EXPECT_TRUE(where.contains(QString::fromUtf8(c.expected)))
            << qPrintable(c.args.join(' ') + ": " + where);
        if (c.args == QStringList{"--help"}) {
            EXPECT_TRUE(out.contains("--version"));
            EXPECT_TRUE(out.contains("--art-dir <dir>"));
            EXPECT_TRUE(out.contains("--no-restore"));
            EXPECT_TRUE(out.contains("Usage: tsln"));
        }
    }
}

TEST_F(Installed, ToolsTellTheirVersion)
{
    for (const char* tool : {"tsln-sim", "tsln-ctl", "tsln-mem"}) {
        const Result r = run(path(QStringLiteral("bin/") + tool), {"--version"}, QDir::tempPath());
        EXPECT_EQ(r.status, 0) << tool << ": " << qPrintable(r.err);
        EXPECT_EQ(r.out, QStringLiteral("%1 %2\n").arg(tool, TSLN_VERSION));
    }
}

TEST_F(Installed, DesktopEntryAndMetainfoPassTheirValidators)
{
    const QString desktopFile = path("share/applications/" + appId + ".desktop");
    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    const QString appstream = QStandardPaths::findExecutable("appstreamcli");
    if (validator.isEmpty() || appstream.isEmpty())
        GTEST_SKIP()
            << "desktop-file-validate or appstreamcli is not installed (scripts/setup installs them)";

    Result r = run(validator, {desktopFile});
    EXPECT_EQ(r.status, 0) << qPrintable(r.out + r.err);
    EXPECT_TRUE((r.out + r.err).trimmed().isEmpty()) << qPrintable(r.out + r.err);
    r = run(appstream,
            {"validate", "--no-net", "--pedantic", path("share/metainfo/" + appId + ".metainfo.xml")});
    EXPECT_EQ(r.status, 0) << qPrintable(r.out + r.err);

    // The entry starts an installed program and names an installed icon.
    QFile entry(desktopFile);
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(entry.readAll());
    EXPECT_TRUE(text.contains("\nExec=tsln\n"));
    EXPECT_TRUE(text.contains("\nIcon=" + appId + "\n"));
}
