#include "shell/helpviewer.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPointer>
#include <QSplitter>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "core/modal.h"
#include "shell/appicon.h"

QString helpFileName() { return QStringLiteral("TSLN.HLP"); }

QString helpFilePath(const ProgramFiles& files)
{
    const QString found = files.findData(helpFileName());
    return found.isEmpty() ? QDir(files.programDir()).filePath(helpFileName()) : found;
}

HelpViewer::HelpViewer(const QList<HelpTopic>& topics, QWidget* parent)
    : QWidget(parent, Qt::Window), topics_(topics)
{
    setWindowTitle(QStringLiteral("TSLN Help"));
    setWindowIcon(programIcon());
    resize(860, 600);

    auto* splitter = new QSplitter(this);
    contents_ = new QListWidget(splitter);
    for (const HelpTopic& t : topics_)
        contents_->addItem(t.title);
    browser_ = new QTextBrowser(splitter);
    browser_->setOpenLinks(false);
    browser_->document()->setDefaultStyleSheet(
        QStringLiteral("h1 { color: #006060; } h2 { color: #006060; } code { background: #eef; }"
                       "td, th { padding: 2px 8px; } th { background: #dde; }"));
    splitter->addWidget(contents_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({210, 650});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter);

    connect(contents_, &QListWidget::currentRowChanged, this, &HelpViewer::showIndex);
    connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (url.scheme() == QLatin1String("help"))
            showContext(url.path().toInt());
    });
}

bool HelpViewer::showContext(int context)
{
    for (int i = 0; i < topics_.size(); ++i) {
        if (topics_[i].context == context) {
            contents_->setCurrentRow(i);
            showIndex(i);
            return true;
        }
    }
    return false;
}

void HelpViewer::showIndex(int index)
{
    if (index < 0 || index >= topics_.size())
        return;
    current_ = topics_[index].context;
    browser_->setHtml(topics_[index].html);
}

HelpViewer* showHelpContext(QWidget* owner, int context, QPointer<HelpViewer>& viewer, const QString& path)
{
    if (!viewer) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            Modal::error(QStringLiteral("Cannot open the help file %1: %2")
                             .arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
            return nullptr;
        }
        const QList<HelpTopic> topics = parseHelpFile(file.readAll());
        viewer = new HelpViewer(topics, owner);
        viewer->setAttribute(Qt::WA_DeleteOnClose);
    }
    if (!viewer->showContext(context))
        Modal::error(QStringLiteral("The help file has no topic for context %1.").arg(context));
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
    return viewer;
}
