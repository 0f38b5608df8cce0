// SPDX-License-Identifier: MIT
#include "qt/desktop_motion.h"

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace vorl {
namespace {

// gsettings answers in a few milliseconds; a stuck one must not hold the
// window back for long.
constexpr int kPatienceMs = 500;

}  // namespace

bool desktopAsksForLessMotion() {
    const QString gsettings = QStandardPaths::findExecutable(QStringLiteral("gsettings"));
    if (gsettings.isEmpty()) {
        return false;
    }
    QProcess process;
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(gsettings, {QStringLiteral("get"), QStringLiteral("org.gnome.desktop.interface"),
                              QStringLiteral("enable-animations")});
    if (!process.waitForFinished(kPatienceMs) || process.exitCode() != 0) {
        process.kill();
        process.waitForFinished(kPatienceMs);
        return false;
    }
    return process.readAllStandardOutput().trimmed() == "false";
}

}  // namespace vorl
