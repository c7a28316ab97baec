#include "app/helpwindow.h"

#include "app/application.h"

#include <QDir>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace parlog {

HelpWindow::HelpWindow(Application& app)
    : Window(app, QStringLiteral("help"), QStringLiteral("Parlog Help"))
{
    resize(720, 600);
    auto* layout = new QVBoxLayout(this);
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("browser"));
    m_browser->setOpenExternalLinks(false);
    layout->addWidget(m_browser);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("close"));
    layout->addWidget(close, 0, Qt::AlignRight);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

void HelpWindow::form_load()
{
    const QString page = QDir(app().programFolder()).filePath(QStringLiteral("help/index.html"));
    m_browser->setSource(QUrl::fromLocalFile(page));
}

} // namespace parlog
