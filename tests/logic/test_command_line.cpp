// The command line as a user or a script meets it: the built program (GLIMMERDECK_PROGRAM) run
// with no display at all, so that anything reaching for one before it should shows up as status
// 2, or as Qt's abort.

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

namespace {

struct Outcome {
    bool ended = false; // false: still running when the wait was over (then killed)
    int status = -1;    // exit status; -1 for a crash or a kill
    QByteArray out;
    QByteArray err;
};

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

    QString m_program;
    QString m_noServer; // an X display with no server behind it

    QProcessEnvironment noDisplay() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
            env.remove(QString::fromLatin1(name));
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("disabled:"));
        return env;
    }

    Outcome run(const QStringList& args, int waitMs = 20000, const QProcessEnvironment& extra = {},
        const QString& stdoutFile = {}) const
    {
        QProcessEnvironment env = noDisplay();
        env.insert(extra);
        QProcess p;
        p.setProcessEnvironment(env);
        if (!stdoutFile.isEmpty())
            p.setStandardOutputFile(stdoutFile);
        p.start(m_program, args);
        Outcome o;
        if (!p.waitForStarted(10000))
            return o;
        o.ended = p.waitForFinished(waitMs);
        if (o.ended && p.exitStatus() == QProcess::NormalExit)
            o.status = p.exitCode();
        if (!o.ended) {
            p.kill();
            p.waitForFinished(10000);
        }
        o.out = p.readAllStandardOutput();
        o.err = p.readAllStandardError();
        return o;
    }

private slots:
    void initTestCase()
    {
        m_program = qEnvironmentVariable("GLIMMERDECK_PROGRAM");
        QVERIFY2(
            QFileInfo(m_program).isExecutable(), "GLIMMERDECK_PROGRAM must name the built program");
        for (int n = 900; n < 1000 && m_noServer.isEmpty(); ++n)
            if (!QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)))
                m_noServer = QStringLiteral(":%1").arg(n);
        QVERIFY(!m_noServer.isEmpty());
    }

    void helpAndVersionNeedNoDisplay()
    {
        const Outcome help = run({ QStringLiteral("--help") });
        QCOMPARE(help.status, 0);
        QVERIFY(help.err.isEmpty());
        QVERIFY(help.out.startsWith("Usage: glimmerdeck [OPTION]...\n"));
        for (const char* option : { "-platform NAME", "-display NAME", "--help", "--version" })
            QVERIFY2(help.out.contains(option), option);

        const Outcome version = run({ QStringLiteral("--version") });
        QCOMPARE(version.status, 0);
        QVERIFY(version.err.isEmpty());
        const QList<QByteArray> lines = version.out.split('\n');
        QVERIFY(lines.size() > 2);
        QCOMPARE(lines[0], QByteArray("glimmerdeck " GLIMMERDECK_VERSION));
        QVERIFY(lines[1].startsWith("Copyright (C) 2026 Quillmoor"));
    }

    // A full disk is a failure, not a help text shown.
    void helpThatCannotBeWritten()
    {
        if (!QFileInfo::exists(QStringLiteral("/dev/full")))
            QSKIP("no /dev/full");
        const Outcome o = run({ QStringLiteral("--help") }, 20000, {}, QStringLiteral("/dev/full"));
        QCOMPARE(o.status, 1);
        QCOMPARE(o.err.count('\n'), 1);
    }

    // Unknown options, every Qt option but the two that choose the display, any operand: one
    // line on standard error that points to --help, status 2, before any display is looked for.
    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("args");
        const auto row = [](const char* name, QStringList args) { QTest::newRow(name) << args; };
        row("unknown long option", { "--frobnicate" });
        row("unknown short option", { "-x" });
        row("value for --help", { "--help=yes" });
        row("-platform without a name", { "-platform" });
        row("--display with an empty name", { "--display=" });
        row("Qt reads no -platform=NAME", { "-platform=offscreen" });
        row("operand", { "tutorial.txt" });
        row("operand after --", { "--", "-platform" });
        row("lone dash", { "-" });
        row("line break in an option", { "--a\nb" });
        // Qt's options that would change the window, or how it is found, in both spellings.
        for (const char* qt : { "-style fusion", "--style=fusion", "-stylesheet a.qss", "-reverse",
                 "-geometry 10x10+0+0", "-qwindowgeometry 10x10", "-qwindowtitle T",
                 "-qwindowicon i.png", "-title T", "-icon i.png", "-name N", "-session S",
                 "-widgetcount", "-graphicssystem raster", "-fn Arial", "-font Arial", "-bg red",
                 "-fg red", "-btn red", "-platformtheme gtk3", "-platformpluginpath /tmp",
                 "-plugin evdevmouse", "-nograb", "-dograb", "-visual 33", "-sync", "-testability",
                 "-qmljsdebugger=port:1234" })
            row(qt, QString::fromLatin1(qt).split(QLatin1Char(' ')));
    }
    void usageErrors()
    {
        QFETCH(QStringList, args);
        const Outcome o = run(args);
        QCOMPARE(o.status, 2);
        QVERIFY(o.out.isEmpty());
        QCOMPARE(o.err.count('\n'), 1);
        QVERIFY2(
            o.err.startsWith("glimmerdeck: ") && o.err.contains("'glimmerdeck --help'"), o.err);
    }

    // -display names the X server to use, and only that one is tried, even where a Wayland
    // display is there to fall back on.
    void namedDisplayThatIsNotThere()
    {
        QProcessEnvironment wayland;
        wayland.insert(
            QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("wayland-glimmerdeck-none"));
        for (const QStringList& args :
            { QStringList { "-display", m_noServer }, QStringList { "--display=" + m_noServer } }) {
            const Outcome o = run(args, 20000, wayland);
            QCOMPARE(o.status, 2);
            QCOMPARE(o.err.count('\n'), 1);
            QVERIFY2(o.err.contains(m_noServer.toLatin1()), o.err);
        }
    }

    // -platform is the user's choice: no display is looked for, and Qt gets the platform in the
    // one spelling it reads. Without that the program would stop at once, with status 2 or with
    // Qt's abort; here it is still running when the wait is over.
    void platformChosenOnTheCommandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("-platform NAME") << QStringList { "-platform", "offscreen" };
        QTest::newRow("--platform NAME") << QStringList { "--platform", "offscreen" };
        QTest::newRow("--platform=NAME") << QStringList { "--platform=offscreen" };
        QTest::newRow("with an unreachable -display")
            << QStringList { "-platform", "offscreen", "-display", m_noServer };
    }
    void platformChosenOnTheCommandLine()
    {
        QFETCH(QStringList, args);
        const Outcome o = run(args, 1500);
        QVERIFY2(!o.ended,
            qPrintable(QStringLiteral("ended with status %1: %2")
                           .arg(o.status)
                           .arg(QString::fromLocal8Bit(o.err))));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_command_line.moc"
