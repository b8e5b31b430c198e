#include "helpservices.h"

#include "core/version.h"

#include <QAbstractTextDocumentLayout>
#include <QDesktopServices>
#include <QFile>
#include <QImage>
#include <QMimeDatabase>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QUrl>

#include <memory>
#include <optional>
#include <set>

namespace gs {

namespace {

// Adds every picture the document refers to by a relative path, no wider
// than the text: a picture is laid out at 96 pixels an inch.
void addPictures(QTextDocument& document, const QString& markdown, const QString& imageRoot,
                 int widestPicture) {
    static const QRegularExpression kPicture(R"(!\[[^\]]*\]\(([^)\s]+)\))");
    for (auto match = kPicture.globalMatch(markdown); match.hasNext();) {
        QString name = match.next().captured(1);
        if (QUrl(name).isRelative() == false)
            continue;
        QImage image(imageRoot + "/" + name);
        if (image.isNull())
            continue;
        if (image.width() > widestPicture)
            image = image.scaledToWidth(widestPicture, Qt::SmoothTransformation);
        document.addResource(QTextDocument::ImageResource, QUrl(name), image);
    }
}

bool isHeading(const QTextBlock& block) {
    return block.blockFormat().headingLevel() > 0;
}

// Where a block's first line is laid out: a line that does not fit on a
// page is moved to the next one within its block.
qreal firstLineTop(const QTextBlock& block) {
    qreal top = block.document()->documentLayout()->blockBoundingRect(block).top();
    if (QTextLayout* lines = block.layout(); lines && lines->lineCount() > 0)
        top += lines->lineAt(0).position().y();
    return top;
}

} // namespace

// Lays the manual out page by page on the writer. A heading never stays
// alone at the foot of a page: one whose next block starts on the following
// page begins that page itself. Each such break moves what follows, so the
// document is laid out afresh until no heading is left behind.
std::unique_ptr<QTextDocument> layOutPages(const QString& markdown, const QString& imageRoot,
                                           QPaintDevice* device, const QSizeF& body) {
    const int widestPicture = static_cast<int>(body.width() / device->logicalDpiX() * 96.0) - 8;
    std::set<int> breaks; // headings, counted from the document's start
    while (true) {
        auto document = std::make_unique<QTextDocument>();
        document->documentLayout()->setPaintDevice(device);
        document->setMarkdown(markdown);
        // After the text: setting it clears the document's resources.
        addPictures(*document, markdown, imageRoot, widestPicture);
        int heading = 0;
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            if (!isHeading(block))
                continue;
            if (breaks.contains(heading++)) {
                QTextBlockFormat format = block.blockFormat();
                format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
                QTextCursor(block).setBlockFormat(format);
            }
        }
        document->setPageSize(body);

        std::optional<int> alone;
        heading = 0;
        for (QTextBlock block = document->begin(); block.isValid() && !alone;
             block = block.next()) {
            if (!isHeading(block))
                continue;
            int index = heading++;
            QTextBlock next = block.next();
            if (!next.isValid() || breaks.contains(index))
                continue;
            if (static_cast<int>(firstLineTop(next) / body.height()) >
                static_cast<int>(firstLineTop(block) / body.height()))
                alone = index;
        }
        if (!alone)
            return document;
        breaks.insert(*alone);
    }
}

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
    QPdfWriter writer(pdf);
    writer.setTitle("Gridslate User Manual");
    writer.setCreator(QString("Gridslate ") + kVersion);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter));
    // The text fills the page between its margins, less a line at the foot
    // for the page number; the document is laid out on the writer itself,
    // so that its pages are the printed pages.
    const QRectF page = writer.pageLayout().paintRectPixels(writer.resolution());
    const qreal footer = writer.resolution() / 3.0;
    const QSizeF body(page.width(), page.height() - footer);
    std::unique_ptr<QTextDocument> pages = layOutPages(markdown, imageRoot, &writer, body);
    QTextDocument& document = *pages;

    QPainter painter;
    if (!painter.begin(&writer))
        return failure(ErrorKind::Unwritable, "Cannot write " + pdf.toStdString() + ".");
    for (int p = 0; p < document.pageCount(); ++p) {
        if (p > 0)
            writer.newPage();
        painter.save();
        painter.translate(0, -p * body.height());
        document.drawContents(&painter, QRectF(0, p * body.height(), body.width(), body.height()));
        painter.restore();
        painter.drawText(QRectF(0, body.height(), body.width(), footer), Qt::AlignCenter,
                         QString::number(p + 1));
    }
    painter.end();
    // QPdfWriter reports no failure of its own: check what reached the disk.
    QFile written(pdf);
    if (!written.open(QIODevice::ReadOnly) || written.read(5) != "%PDF-")
        return failure(ErrorKind::Unwritable, "Cannot write " + pdf.toStdString() + ".");
    return {};
}

Status ManualPdfRenderer::render(const std::filesystem::path& pdf) {
    QFile source(m_markdownFile);
    if (!source.open(QIODevice::ReadOnly))
        return failure(ErrorKind::NotFound, "The manual's text " + m_markdownFile.toStdString() +
                                                " is missing from this build.");
    QString markdown = QString::fromUtf8(source.readAll());
    return printMarkdownPdf(markdown, m_imageRoot, QString::fromStdString(pdf.string()));
}

} // namespace gs
