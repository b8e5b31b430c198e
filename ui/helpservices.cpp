#include "helpservices.h"

#include "core/version.h"

#include <QDesktopServices>
#include <QFile>
#include <QImage>
#include <QMimeDatabase>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTextDocument>
#include <QUrl>

namespace gs {

namespace {

// The widest picture that fits an A4 page between its margins, in the
// document's pixels (96 per inch).
constexpr int kPictureWidth = 620;

// Adds every picture the document refers to by a relative path.
void addPictures(QTextDocument& document, const QString& markdown, const QString& imageRoot) {
    static const QRegularExpression kPicture(R"(!\[[^\]]*\]\(([^)\s]+)\))");
    for (auto match = kPicture.globalMatch(markdown); match.hasNext();) {
        QString name = match.next().captured(1);
        if (QUrl(name).isRelative() == false)
            continue;
        QImage image(imageRoot + "/" + name);
        if (image.isNull())
            continue;
        if (image.width() > kPictureWidth)
            image = image.scaledToWidth(kPictureWidth, Qt::SmoothTransformation);
        document.addResource(QTextDocument::ImageResource, QUrl(name), image);
    }
}

} // namespace

namespace {

// How long the desktop may take to name its application for a page or a
// document.
constexpr int kHandlerQueryMs = 3000;

// False when the desktop says it has no application for the address. The
// desktop's opener only hands the address on and tells nobody when nothing
// takes it, so the person would wait for a window that never comes. Where
// the desktop cannot be asked, the opener is left to try.
bool desktopCanOpen(const QUrl& url) {
    QString type = url.isLocalFile() ? QMimeDatabase().mimeTypeForFile(url.toLocalFile()).name()
                                     : "x-scheme-handler/" + url.scheme();
    QProcess query;
    query.start("xdg-mime", {"query", "default", type});
    if (!query.waitForStarted(kHandlerQueryMs) || !query.waitForFinished(kHandlerQueryMs) ||
        query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0) {
        query.kill();
        query.waitForFinished(kHandlerQueryMs);
        return true;
    }
    return !query.readAllStandardOutput().trimmed().isEmpty();
}

} // namespace

bool DesktopOpener::open(const std::string& address) {
    QString text = QString::fromStdString(address);
    QUrl url = text.contains("://") ? QUrl(text) : QUrl::fromLocalFile(text);
    return desktopCanOpen(url) && QDesktopServices::openUrl(url);
}

Status printMarkdownPdf(const QString& markdown, const QString& imageRoot, const QString& pdf) {
    QTextDocument document;
    document.setMarkdown(markdown);
    // After the text: setting it clears the document's resources.
    addPictures(document, markdown, imageRoot);

    QPdfWriter writer(pdf);
    writer.setTitle("Gridslate User Manual");
    writer.setCreator(QString("Gridslate ") + kVersion);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter));
    document.print(&writer);
    // QPdfWriter reports no failure of its own: check what reached the disk.
    QFile written(pdf);
    if (!written.open(QIODevice::ReadOnly) || written.read(5) != "%PDF-")
        return failure("Cannot write " + pdf.toStdString() + ".");
    return {};
}

Status ManualPdfRenderer::render(const std::filesystem::path& pdf) {
    QFile source(m_markdownFile);
    if (!source.open(QIODevice::ReadOnly))
        return failure("The manual's text " + m_markdownFile.toStdString() +
                       " is missing from this build.");
    QString markdown = QString::fromUtf8(source.readAll());
    return printMarkdownPdf(markdown, m_imageRoot, QString::fromStdString(pdf.string()));
}

} // namespace gs
