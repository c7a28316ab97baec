#include "app/helpwindow.h"

#include "base/application.h"
#include "base/windowcontexts.h"
#include "base/windownames.h"
#include "data/location.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace parlog {

HelpWindow::HelpWindow(Application& app)
    : Window(app, windows::kHelp, QStringLiteral("Parlog Help"))
{
    resize(720, 600);
    auto* layout = new QVBoxLayout(this);
    m_register = new QLabel(this);
    m_register->setObjectName(QStringLiteral("register"));
    m_register->setTextFormat(Qt::PlainText);
    m_register->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_register->setWordWrap(true);
    layout->addWidget(m_register);
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("browser"));
    m_browser->setOpenExternalLinks(false);
    layout->addWidget(m_browser);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("close"));
    layout->addWidget(close, 0, Qt::AlignRight);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

void HelpWindow::load()
{
    const QString page = QDir(app().helpFolder()).filePath(QStringLiteral("index.html"));
    m_browser->setSource(QUrl::fromLocalFile(page));
    m_register->setText(
        QStringLiteral("Your register: %1").arg(shownLocation(app().dataFile())));
    contextChanged();
}

void HelpWindow::contextChanged()
{
    if (const auto* wanted = context<HelpContext>(); wanted && !wanted->section.isEmpty())
        showSection(wanted->section);
}

void HelpWindow::showSection(const QString& section)
{
    m_browser->scrollToAnchor(section);
}

} // namespace parlog
