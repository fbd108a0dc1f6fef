#include "ovg_dialog_about.h"

#include "ov_autotest.h"
#include "ovg_label_link.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QUrl>
#include <QVBoxLayout>

#include <gcrypt.h>
#include <sqlite3.h>
#include <taglib.h>

#ifndef OV_MPG123_VERSION
#define OV_MPG123_VERSION "unknown"
#endif

namespace {

const QString rule = QString(50, QLatin1Char('='));

// One credits block: name, version and address; files; licence; holder; where to read more.
QString block(const QString& head, const QString& files, const QString& licence, const QString& holder,
              const QString& pointer) {
  return QStringLiteral("* ") + head + QStringLiteral("\n") + files + QStringLiteral("\n") + licence +
         QStringLiteral("\n") + holder + QStringLiteral("\n") + pointer + rule + QStringLiteral("\n");
}

}  // namespace

ovg_dialog_about::ovg_dialog_about(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("About ") + QStringLiteral("Orvantis"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  auto* icon = new QLabel(this);
  icon->setObjectName(QStringLiteral("about_icon"));
  icon->setPixmap(
      QPixmap(QStringLiteral(":/icons/ov.png")).scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation));
  auto* names = new QVBoxLayout;
  auto* name = new QLabel(QStringLiteral("Orvantis"), this);
  name->setObjectName(QStringLiteral("about_name"));
  QFont f = name->font();
  f.setPointSize(13);
  f.setWeight(QFont::Bold);
  name->setFont(f);
  auto* version = new QLabel(QStringLiteral(OV_VERSION_TEXT), this);
  version->setObjectName(QStringLiteral("about_version"));
  auto* link = new ovg_label_link(tr("License"), this);
  link->setObjectName(QStringLiteral("about_license"));
  names->addWidget(name);
  names->addWidget(version);
  names->addWidget(link);
  names->addStretch();
  top->addWidget(icon, 0, Qt::AlignTop);
  top->addLayout(names);
  top->addStretch();
  auto* credits = new QPlainTextEdit(this);
  credits->setObjectName(QStringLiteral("about_credits"));
  credits->setReadOnly(true);
  credits->setFixedSize(330, 85);
  credits->setStyleSheet(QStringLiteral("QPlainTextEdit { background-color: #f0f0f0;}"));
  credits->setPlainText(credits_text());
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  layout->addLayout(top);
  layout->addWidget(credits);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(link, &ovg_label_link::esignal_clicked, this, &ovg_dialog_about::islot_license_and_credits_clicked);
}

QString ovg_dialog_about::license_path() {
  return QDir::current().absoluteFilePath(QStringLiteral("doc/orvantis_LICENSE.txt"));
}

void ovg_dialog_about::islot_license_and_credits_clicked() {
  if (ov_autotest::current() != ov_autotest::off) {
    ov_autotest::note(QStringLiteral("open ") + license_path());
    return;
  }
  QDesktopServices::openUrl(QUrl::fromLocalFile(license_path()));
}

QString ovg_dialog_about::credits_text() {
  const QString qt = QString::fromLatin1(qVersion());
  const QString taglib =
      QStringLiteral("%1.%2.%3").arg(TAGLIB_MAJOR_VERSION).arg(TAGLIB_MINOR_VERSION).arg(TAGLIB_PATCH_VERSION);
  const QString mpg123 = QStringLiteral(OV_MPG123_VERSION);
  const QString gcrypt = QString::fromLatin1(gcry_check_version(nullptr));
  const QString sqlite = QString::fromLatin1(sqlite3_libversion());

  QString text = tr("Orvantis uses these libraries and softwares.\n");
  text += QStringLiteral("* Qt library\n* TagLib\n* libmpg123\n* libgcrypt (Blowfish)\n* SQLite\n");
  text += QStringLiteral("\n\n\n") + rule + QStringLiteral("\n");
  text += block(QStringLiteral("Qt library %1  https://www.qt.io/").arg(qt),
                QStringLiteral("libQt6Core.so.6, libQt6Gui.so.6, libQt6Widgets.so.6, libQt6Network.so.6 and "
                               "the Qt platform plugins"),
                QStringLiteral("LGPL 3"), QStringLiteral("Copyright (C) The Qt Company Ltd. and other contributors."),
                QStringLiteral("please see /usr/share/doc/libqt6core6/copyright for more detail.\n"));
  text += QStringLiteral("\n");
  text += block(QStringLiteral("TagLib %1  https://taglib.org/").arg(taglib), QStringLiteral("libtag.so.1"),
                QStringLiteral("LGPL 2.1 (or MPL 1.1)"),
                QStringLiteral("Copyright (C) Scott Wheeler and the TagLib authors."),
                QStringLiteral("please see /usr/share/doc/libtag1v5/copyright for more detail.\n"));
  text += QStringLiteral("\n");
  text += block(QStringLiteral("libmpg123 %1  https://www.mpg123.de/").arg(mpg123), QStringLiteral("libmpg123.so.0"),
                QStringLiteral("LGPL 2.1"),
                QStringLiteral("Copyright (C) Michael Hipp, Thomas Orgis and the mpg123 project."),
                QStringLiteral("please see /usr/share/doc/libmpg123-0/copyright for more detail.\n"));
  text += QStringLiteral("\n");
  text += block(QStringLiteral("libgcrypt %1 (Blowfish)  https://gnupg.org/software/libgcrypt/").arg(gcrypt),
                QStringLiteral("libgcrypt.so.20"), QStringLiteral("LGPL 2.1 or later"),
                QStringLiteral("Copyright (C) Free Software Foundation, Inc. and g10 Code GmbH."),
                QStringLiteral("please see /usr/share/doc/libgcrypt20/copyright for more detail.\n"));
  text += QStringLiteral("\n");
  text += block(QStringLiteral("SQLite %1  https://www.sqlite.org/").arg(sqlite), QStringLiteral("libsqlite3.so.0"),
                QStringLiteral("Public domain"),
                QStringLiteral("The authors of SQLite have dedicated the code to the public domain."),
                QStringLiteral("Anyone is free to copy, modify, publish, use, compile, sell, or distribute it.\n"));
  return text;
}
