#include "app/panel/side_panel.h"

#include <QAction>
#include <QHBoxLayout>

namespace seedscape {

namespace {

// Long enough to read a line of news twice.
constexpr int kNewsMs = 6000;

}  // namespace

SidePanel::SidePanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("SidePanel"));
    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(0, 0, 0, 0);

    recipe_ = new QLabel(this);
    // Both repeat what was pasted, opened or typed: shown as it is, never as
    // markup.
    recipe_->setTextFormat(Qt::PlainText);
    recipe_->setObjectName(QStringLiteral("RecipeText"));
    recipe_->setWordWrap(true);
    recipe_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    recipe_->setToolTip(tr("The recipe of the latest picture: it names the picture exactly"));

    message_ = new QLabel(this);
    message_->setTextFormat(Qt::PlainText);
    message_->setObjectName(QStringLiteral("Message"));
    message_->setWordWrap(true);
    message_timer_.setSingleShot(true);
    message_timer_.setInterval(kNewsMs);
    connect(&message_timer_, &QTimer::timeout, message_, &QLabel::clear);

    progress_row_ = new QWidget(this);
    auto* row = new QHBoxLayout(progress_row_);
    row->setContentsMargins(0, 0, 0, 0);
    progress_ = new QProgressBar(progress_row_);
    progress_->setRange(0, 1000);
    progress_->setTextVisible(false);
    auto* cancel = new QPushButton(tr("Cancel"), progress_row_);
    cancel->setObjectName(QStringLiteral("CancelExport"));
    row->addWidget(progress_, 1);
    row->addWidget(cancel);
    connect(cancel, &QPushButton::clicked, this, &SidePanel::cancelExportClicked);
    progress_row_->hide();

    layout_->addStretch(1);
    layout_->addWidget(recipe_);
    layout_->addWidget(progress_row_);
    layout_->addWidget(message_);
}

void SidePanel::AddSection(const QString& heading, const QList<QAction*>& actions) {
    auto* title = new QLabel(heading, this);
    title->setTextFormat(Qt::PlainText);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    AddWidget(title);
    for (QAction* action : actions) AddWidget(MakeButton(action));
}

void SidePanel::AddRow(const QList<QAction*>& actions) {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QAction* action : actions) layout->addWidget(MakeButton(action));
    AddWidget(row);
}

QToolButton* SidePanel::MakeButton(QAction* action) {
    auto* button = new QToolButton(this);
    button->setDefaultAction(action);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    button->setObjectName(action->objectName() + QStringLiteral("Button"));
    return button;
}

void SidePanel::AddWidget(QWidget* widget, int stretch) {
    // Sections stack from the top, above the stretch that keeps the recipe,
    // the progress and the news at the bottom.
    layout_->insertWidget(layout_->count() - 4, widget, stretch);
}

void SidePanel::ShowRecipeText(const QString& text) {
    recipe_->setText(text);
}

void SidePanel::ShowMessage(const QString& text) {
    message_->setText(text);
    message_timer_.start();
}

void SidePanel::ShowProblem(const QString& text) {
    message_timer_.stop();
    message_->setText(text);
}

void SidePanel::ShowExportProgress(double done) {
    progress_->setValue(static_cast<int>(done * 1000));
    progress_row_->show();
}

void SidePanel::HideExportProgress() {
    progress_row_->hide();
}

}  // namespace seedscape
