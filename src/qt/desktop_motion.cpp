// SPDX-License-Identifier: MIT
#include "qt/desktop_motion.h"

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <utility>

namespace vorl {

void askDesktopForLessMotion(QObject* parent, std::function<void()> lessMotion) {
    const QString gsettings = QStandardPaths::findExecutable(QStringLiteral("gsettings"));
    if (gsettings.isEmpty()) {
        return;
    }
    auto* process = new QProcess(parent);
    process->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(
        process, &QProcess::finished, process,
        [process, lessMotion = std::move(lessMotion)](int exitCode, QProcess::ExitStatus status) {
            if (status == QProcess::NormalExit && exitCode == 0 &&
                process->readAllStandardOutput().trimmed() == "false") {
                lessMotion();
            }
            process->deleteLater();
        });
    QObject::connect(process, &QProcess::errorOccurred, process, &QObject::deleteLater);
    process->start(gsettings, {QStringLiteral("get"), QStringLiteral("org.gnome.desktop.interface"),
                               QStringLiteral("enable-animations")});
}

}  // namespace vorl
