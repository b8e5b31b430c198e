#include "aboutdialog.h"

#include "controls.h"
#include "textconv.h"

#include <QFile>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace gs {

QIcon programIcon(const QWidget* widget) {
    for (const char* resource : {":/icons/gridslate.png", ":/icons/gridslate.svg"})
        if (QFile::exists(resource))
            return QIcon(resource);
    return widget->style()->standardIcon(QStyle::SP_DesktopIcon);
}

AboutDialog::AboutDialog(std::function<void()> openMakerPage, QWidget* parent)
    : PaintedDialog(parent) {
    const AboutModel model = aboutModel();
    setObjectName("aboutDialog");
    setWindowTitle(toQt(model.caption));
    setAccessibleName("About Gridslate");
    setPaintRole(this, PaintRole::Background);

    auto* picture = named(new QToolButton, "makerPageButton", "Gridslate's web page");
    picture->setIcon(programIcon(this));
    picture->setIconSize(QSize(96, 96));
    picture->setAutoRaise(true);
    picture->setCursor(Qt::PointingHandCursor);
    picture->setToolTip(toQt(model.makerPage));
    connect(picture, &QToolButton::clicked, this, [openMakerPage] {
        if (openMakerPage)
            openMakerPage();
    });

    auto* name =
        named(new QLabel(toQt(model.name)), "programNameLabel", "Program name", PaintRole::Text);
    QFont big = name->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    name->setFont(big);
    auto* version =
        named(new QLabel(toQt(model.version)), "versionLabel", "Version", PaintRole::Text);
    auto* description = named(new QLabel(toQt(model.description)), "descriptionLabel",
                              "What Gridslate is", PaintRole::Text);
    auto* close = named(new QPushButton("Close"), "closeButton", "Close", PaintRole::Button);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(name);
    texts->addWidget(version);
    texts->addWidget(description);
    texts->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addLayout(texts);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    close->setDefault(true);
}

} // namespace gs
