#pragma once

#include <QObject>
#include <QString>
#include <gtest/gtest.h>

// The child of `parent` with that object name; a test failure when there is
// none.
template <typename W>
W *namedChild(const QObject &parent, const char *name)
{
    W *w = parent.findChild<W *>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}
