#pragma once

// Window tests find widgets by their object names, as a user's tools do; a
// name that is missing ends the test program at once with the name.

#include <QString>
#include <QWidget>

template <typename T = QWidget> T *NamedWidget(const QWidget *root, const QString &name)
{
    T *widget = root->findChild<T *>(name);
    if (!widget)
        qFatal("no widget %s", qPrintable(name));
    return widget;
}
