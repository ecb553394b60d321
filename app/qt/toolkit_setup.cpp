#include "app/qt/toolkit_setup.h"

#include <QApplication>
#include <QFont>
#include <QLoggingCategory>
#include <QStyleFactory>

namespace velmora {

void PrepareToolkit()
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // The browser engine describes its graphics set-up at start; that is no news for the user.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
}

void ApplyWindowLook(QApplication& application)
{
    if (auto* style = QStyleFactory::create(QStringLiteral("Fusion")))
        application.setStyle(style);
    QFont font(QString::fromLatin1(WindowFontFamily));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(WindowFontPixelSize);
    application.setFont(font);
}

}
