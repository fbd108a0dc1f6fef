#include "ov_test_env.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// The installed program: an install into a temporary prefix, the desktop
// files checked by the desktop's own validators, and the console options
// answering without a data directory.
class test_install : public QObject {
  Q_OBJECT

  QTemporaryDir prefix_;

  static int run(const QString& program, const QStringList& args, QString* out = nullptr,
                 const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(120000)) return -1;
    if (out) *out = QString::fromUtf8(p.readAll());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  }

  QString installed(const QString& relative) const { return prefix_.path() + QLatin1Char('/') + relative; }

private slots:
  void initTestCase() {
    QString out;
    QCOMPARE(
        run(QStringLiteral("cmake"),
            {QStringLiteral("--install"), ov_test::binary_dir(), QStringLiteral("--prefix"), prefix_.path()}, &out),
        0);
  }

  void installs_every_file() {
    const QStringList files = {
        QStringLiteral("bin/orvantis"),
        QStringLiteral("share/applications/orvantis.desktop"),
        QStringLiteral("share/metainfo/org.orvantis.Orvantis.metainfo.xml"),
        QStringLiteral("share/icons/hicolor/scalable/apps/orvantis.svg"),
        QStringLiteral("share/doc/orvantis/keys.txt"),
        QStringLiteral("share/doc/orvantis/orvantis_LICENSE.txt"),
    };
    for (const QString& f : files) QVERIFY2(QFile::exists(installed(f)), qPrintable(f));
    for (int size : {16, 32, 48, 64, 128, 256}) {
      const QString icon = installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/orvantis.png").arg(size));
      QCOMPARE(QImage(icon).size(), QSize(size, size));
    }
  }

  void validators_accept_the_desktop_files_data() {
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QStringList>("args");
    QTest::newRow("desktop entry") << QStringLiteral("desktop-file-validate")
                                   << QStringList{installed(QStringLiteral("share/applications/orvantis.desktop"))};
    QTest::newRow("metainfo") << QStringLiteral("appstreamcli")
                              << QStringList{
                                     QStringLiteral("validate"), QStringLiteral("--no-net"),
                                     installed(QStringLiteral("share/metainfo/org.orvantis.Orvantis.metainfo.xml"))};
  }
  void validators_accept_the_desktop_files() {
    QFETCH(QString, tool);
    QFETCH(QStringList, args);
    if (QStandardPaths::findExecutable(tool).isEmpty()) QSKIP(qPrintable(tool + QStringLiteral(" is not installed")));
    QString out;
    QVERIFY2(run(tool, args, &out) == 0, qPrintable(out));
  }

  // --version and --help print and exit 0 with no writable home at all and
  // create nothing.
  void console_options_touch_nothing_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("expected");
    QTest::newRow("version") << QStringLiteral("--version") << QStringLiteral("Orvantis 1.0.0a2\n");
    QTest::newRow("help") << QStringLiteral("--help") << QStringLiteral("Usage: orvantis");
  }
  void console_options_touch_nothing() {
    QFETCH(QString, option);
    QFETCH(QString, expected);
    QTemporaryDir empty;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("ORVANTIS_HOME"));
    env.insert(QStringLiteral("HOME"), QStringLiteral("/nonexistent/home"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), QStringLiteral("/proc/orvantis-unwritable"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("minimal-does-not-exist"));
    QString out;
    QCOMPARE(run(installed(QStringLiteral("bin/orvantis")), {option}, &out, env), 0);
    QVERIFY2(out.startsWith(expected), qPrintable(out));
    QVERIFY(QDir(installed(QStringLiteral("bin"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
  }
};

QTEST_GUILESS_MAIN(test_install)
#include "test_install.moc"
