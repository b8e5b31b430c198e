#pragma once

// The desktop side of the help commands: opening pages and documents with
// the system's viewer, and printing the user manual to PDF.

#include "utilities/help.h"

#include <QSizeF>
#include <QString>

#include <memory>

class QPaintDevice;
class QTextDocument;

namespace gs {

// Opens web addresses and files with QDesktopServices; false, rather than
// silence, when the desktop has no application for them.
class DesktopOpener final : public Opener {
public:
    bool open(const std::string& address) override;
};

// Lays Markdown out in pages of the given body size on a paint device (a
// PDF writer): pictures no wider than the body, and no heading alone at the
// foot of a page.
std::unique_ptr<QTextDocument> layOutPages(const QString& markdown, const QString& imageRoot,
                                           QPaintDevice* device, const QSizeF& body);

// Renders Markdown into a PDF file. Images the document names by a relative
// path are read from below imageRoot (a folder or a resource path) and
// scaled down to the page's width.
Status printMarkdownPdf(const QString& markdown, const QString& imageRoot, const QString& pdf);

// The user manual built into the program (":/manual/manual.md" and its
// images below ":/manual").
class ManualPdfRenderer final : public ManualRenderer {
public:
    explicit ManualPdfRenderer(QString markdownFile = ":/manual/manual.md",
                               QString imageRoot = ":/manual")
        : m_markdownFile(std::move(markdownFile)), m_imageRoot(std::move(imageRoot)) {}
    Status render(const std::filesystem::path& pdf) override;

private:
    QString m_markdownFile;
    QString m_imageRoot;
};

} // namespace gs
