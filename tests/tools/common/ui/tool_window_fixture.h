#pragma once
// What the tool window tests share: a temporary folder with the settings file and test
// files in it, and a drop delivered straight to a window.

#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTest>
#include <QWidget>

#include <string>

#include "tests/support/temp_tree.h"

namespace pelmora::testing {

class ToolWindowFolder {
    TempTree folder_;  // first: the settings path below is made from it

public:
    const std::string ini = folder_ / "Pelmora.ini";

    std::string WriteFile(const QString& name, const QByteArray& bytes = "x") {
        return folder_.AddFile(QFile::encodeName(name).toStdString(), bytes.toStdString());
    }
};

// Qt delivers drop events only while a real drag runs, so the window gets it directly.
inline void Drop(QWidget& target, QMimeData* mime) {
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    static_cast<QObject&>(target).event(&drop);
}

}  // namespace pelmora::testing
