#pragma once
// What the tool window tests share: a temporary folder with the settings file and test
// files in it, and a drop delivered straight to a window.

#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <string>

namespace pelmora::testing {

class ToolWindowFolder {
    QTemporaryDir dir_;  // first: the settings path below is made from it

public:
    ToolWindowFolder() { QVERIFY(dir_.isValid()); }

    const std::string ini = QFile::encodeName(dir_.filePath("Pelmora.ini")).toStdString();

    std::string WriteFile(const QString& name, const QByteArray& bytes = "x") {
        QFile file(dir_.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return QFile::encodeName(file.fileName()).toStdString();
    }
};

// Qt delivers drop events only while a real drag runs, so the window gets it directly.
inline void Drop(QWidget& target, QMimeData* mime) {
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    static_cast<QObject&>(target).event(&drop);
}

}  // namespace pelmora::testing
