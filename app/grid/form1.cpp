#include "app/grid/form1.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QStandardPaths>
#include <algorithm>
#include <cmath>

#include "app/atlas/atlas_window.h"
#include "app/grid/image_child.h"
#include "app/grid/image_mother.h"
#include "app/grid/magnification.h"
#include "app/grid/show_recipe.h"
#include "app/panel/export_dialog.h"
#include "app/panel/export_job.h"
#include "app/panel/favourites_list.h"
#include "app/panel/side_panel.h"
#include "app/variations/variations_window.h"
#include "export/write_picture.h"
#include "image_file/png_file.h"
#include "recipe/number_text.h"

namespace seedscape {

namespace {

constexpr int kButtonTop = 8;
constexpr int kButtonHeight = 17;
constexpr int kButtonFontPoints = 9;
// The panel stands right of the grid, as far from it as the grid's places
// are from each other, and beyond the canvas: the grid keeps every pixel.
constexpr int kPanelGap = kTileStepX - kImageWidth;
constexpr int kPanelWidth = 230;
constexpr int kPanelHeight = 760;  // the panel's room when the grid is shorter
constexpr int kLargestZoom = 3;

}  // namespace

Form1::Form1(QWidget* parent, const QString& favourites_path)
    : QWidget(parent),
      favourites_(favourites_path.isEmpty() ? FavouritesStore::DefaultPath() : favourites_path) {
    setWindowTitle(QStringLiteral("Form1"));
    // The canvas covers every pixel it owns, so Qt need not clear first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAcceptDrops(true);
    // The grid itself takes the keyboard focus at start-up: a stray Space
    // then presses no button (it would press "exit", first in the tab order,
    // and lose the grid).
    setFocusPolicy(Qt::StrongFocus);

    // Made in tab order: "exit" first, then the row from left to right.
    AddButton("Command2", QStringLiteral("exit"), 232, 41, &Form1::ExitClicked);
    AddButton("Command5", QStringLiteral("new"), 56, 41, &Form1::NewImageMotherClicked);
    AddButton("Command1", QStringLiteral("+"), 112, 17, &Form1::IncreaseMagnificationClicked);
    AddButton("Command11", QStringLiteral("--"), 144, 17, &Form1::ReduceMagnificationClicked);
    AddButton("Command19", QStringLiteral("help"), 176, 41, &Form1::ShowHelpClicked);
    BuildPanel();
    favourites_.Load();
    ShowFavourites();
    SetPanelVisible(true);
}

Form1::~Form1() = default;

void Form1::AddButton(const char* name, const QString& caption, int left, int width,
                      void (Form1::*handler)()) {
    // The buttons are only 17 pixels high: a small font of the canvas's face
    // fits them whatever the desktop's own font size.
    QFont font(QString::fromLatin1(kFontFamily));
    font.setPointSize(kButtonFontPoints);
    auto* button = new QPushButton(caption, this);
    button->setFont(font);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(left, kButtonTop, width, kButtonHeight);
    buttons_.emplace_back(button, button->geometry());
    connect(button, &QPushButton::clicked, this, handler);
}

QAction* Form1::AddAction(const char* name, const QString& text, const QKeySequence& keys,
                          void (Form1::*handler)()) {
    auto* action = new QAction(text, this);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(keys);
    // The panel's buttons tell their keys on hover.
    action->setToolTip(QStringLiteral("%1 (%2)").arg(QString(text).remove(QStringLiteral("...")),
                                                     keys.toString(QKeySequence::NativeText)));
    // Added to the window, the keys work with the panel hidden too.
    addAction(action);
    if (handler != nullptr) connect(action, &QAction::triggered, this, handler);
    return action;
}

void Form1::BuildPanel() {
    panel_ = new SidePanel(this);

    seed_box_ = new QLineEdit(panel_);
    seed_box_->setObjectName(QStringLiteral("SeedBox"));
    seed_box_->setPlaceholderText(tr("seed, 1 to 1000000"));
    seed_box_->setToolTip(tr("Type a seed and press Enter to make its image mother (Ctrl+G)"));
    seed_problem_ = new QLabel(panel_);
    seed_problem_->setObjectName(QStringLiteral("SeedBoxProblem"));
    seed_problem_->setWordWrap(true);
    seed_problem_->hide();
    connect(seed_box_, &QLineEdit::returnPressed, this, &Form1::SeedBoxEntered);
    connect(seed_box_, &QLineEdit::textEdited, seed_problem_, &QLabel::hide);
    QAction* focus_seed =
        AddAction("GoToSeed", tr("Go to seed"), QKeySequence(tr("Ctrl+G")), nullptr);
    connect(focus_seed, &QAction::triggered, this, [this] {
        SetPanelVisible(true);
        seed_box_->setFocus();
        seed_box_->selectAll();
    });
    back_action_ = AddAction("Back", tr("Back"), QKeySequence::Back, &Form1::GoBack);
    forward_action_ = AddAction("Forward", tr("Forward"), QKeySequence::Forward, &Form1::GoForward);
    panel_->AddSection(tr("Seed"), {});
    panel_->AddWidget(seed_box_);
    panel_->AddWidget(seed_problem_);
    panel_->AddRow({back_action_, forward_action_});

    QAction* increase = AddAction("IncreaseMagnification", tr("Increase magnification"),
                                  QKeySequence(Qt::Key_Plus), &Form1::IncreaseMagnificationClicked);
    // "+" is typed with Shift on many keyboards; "=" is the same key.
    increase->setShortcuts({QKeySequence(Qt::Key_Plus), QKeySequence(Qt::Key_Equal)});
    panel_->AddSection(
        tr("Image"),
        {AddAction("NewImageMother", tr("New image mother"), QKeySequence(Qt::Key_N),
                   &Form1::NewImageMotherClicked),
         increase,
         AddAction("ReduceMagnification", tr("Reduce magnification"), QKeySequence(Qt::Key_Minus),
                   &Form1::ReduceMagnificationClicked),
         AddAction("ShowHelp", tr("Help"), QKeySequence(Qt::Key_F1), &Form1::ShowHelpClicked)});

    panel_->AddSection(
        tr("Picture"),
        {AddAction("SaveImage", tr("Save image..."), QKeySequence::Save, &Form1::SaveImageClicked),
         AddAction("Export", tr("Export..."), QKeySequence(tr("Ctrl+E")), &Form1::ExportClicked),
         AddAction("CopyRecipe", tr("Copy recipe"), QKeySequence::Copy, &Form1::CopyRecipeClicked),
         AddAction("PasteRecipe", tr("Paste recipe"), QKeySequence::Paste,
                   &Form1::PasteRecipeClicked),
         AddAction("Open", tr("Open..."), QKeySequence::Open, &Form1::OpenClicked)});

    panel_->AddSection(
        tr("Explore"),
        {AddAction("Variations", tr("Variations..."), QKeySequence(tr("Ctrl+B")),
                   &Form1::VariationsClicked),
         AddAction("Atlas", tr("Atlas..."), QKeySequence(tr("Ctrl+T")), &Form1::OpenAtlas)});

    panel_->AddSection(tr("Favourites"),
                       {AddAction("AddFavourite", tr("\u2605 Add to favourites"),
                                  QKeySequence(tr("Ctrl+D")), &Form1::AddFavouriteClicked)});
    favourites_list_ = new FavouritesList(panel_);
    panel_->AddWidget(favourites_list_, 1);
    connect(favourites_list_, &FavouritesList::pictureChosen, this, &Form1::ShowPicture);
    connect(favourites_list_, &FavouritesList::removeRequested, this, [this](const Recipe& recipe) {
        favourites_.Remove(recipe);
        ShowFavourites();
    });

    panel_action_ = new QAction(tr("Show panel"), this);
    panel_action_->setObjectName(QStringLiteral("ShowPanel"));
    panel_action_->setCheckable(true);
    panel_action_->setShortcut(QKeySequence(Qt::Key_F9));
    panel_action_->setToolTip(tr("Show or hide this panel (F9)"));
    addAction(panel_action_);
    connect(panel_action_, &QAction::toggled, this, &Form1::SetPanelVisible);
    panel_->AddSection(
        tr("View"),
        {AddAction("ZoomIn", tr("Zoom in"), QKeySequence::ZoomIn, &Form1::ZoomInClicked),
         AddAction("ZoomOut", tr("Zoom out"), QKeySequence::ZoomOut, &Form1::ZoomOutClicked),
         AddAction("FullScreen", tr("Full screen"), QKeySequence(Qt::Key_F11),
                   &Form1::FullScreenClicked),
         panel_action_});
    connect(panel_, &SidePanel::cancelExportClicked, this, [this] {
        if (export_job_) export_job_->Cancel();
    });
}

void Form1::SetPanelVisible(bool visible) {
    panel_->setVisible(visible);
    panel_action_->setChecked(visible);
    Relayout();
}

void Form1::SetZoom(int zoom) {
    zoom_ = std::clamp(zoom, 1, kLargestZoom);
    Relayout();
    update();
}

void Form1::Relayout() {
    // The five buttons grow with the canvas, so that they cover the same
    // pixels of the image mother at every zoom.
    for (const auto& [button, geometry] : buttons_) {
        button->setGeometry(geometry.x() * zoom_, geometry.y() * zoom_, geometry.width() * zoom_,
                            geometry.height() * zoom_);
        QFont font = button->font();
        font.setPointSize(kButtonFontPoints * zoom_);
        button->setFont(font);
    }
    const int grid_width = kCanvasWidth * zoom_;
    const int grid_height = kCanvasHeight * zoom_;
    const bool panel = panel_->isVisibleTo(this);
    const int height = std::max(grid_height, panel ? kPanelHeight : 0);
    panel_->setGeometry(grid_width + kPanelGap, kButtonTop, kPanelWidth, height - 2 * kButtonTop);
    const int width = panel ? grid_width + kPanelGap + kPanelWidth + kPanelGap : grid_width;
    setMinimumSize(width, height);
    if (!isFullScreen()) resize(width, height);
}

void Form1::Form_Load(float seconds_since_midnight) {
    show();
    random_.Seed(seconds_since_midnight);
    LoadHelpText(helplines_);
    canvas_.SetFontSize(10);
    SetStartUpSelectors(state_);  // the tile offset at the origin, the fixed selectors
    const double fak_before = state_.fak;
    NewImageMother(state_, random_, canvas_);
    MotherShown(fak_before);
    setFocus();
    update();
}

void Form1::IncreaseMagnificationClicked() {
    IncreaseMagnification(state_);
    ShowMagnification(state_, canvas_);
    history_.UpdateCurrent(pictures_.Latest(), state_.f);
    update();
}

void Form1::ReduceMagnificationClicked() {
    ReduceMagnification(state_);
    ShowMagnification(state_, canvas_);
    history_.UpdateCurrent(pictures_.Latest(), state_.f);
    update();
}

void Form1::NewImageMotherClicked() {
    canvas_.Clear();
    state_.zamikx = 0;
    state_.zamiky = 0;
    const double fak_before = state_.fak;
    NewImageMother(state_, random_, canvas_);
    MotherShown(fak_before);
    update();
}

void Form1::ShowHelpClicked() {
    ShowHelpScreen(helplines_, canvas_);
    update();
}

void Form1::ExitClicked() {
    QCoreApplication::exit(0);
}

void Form1::ImageMotherPressed(float x, float y) {
    setFocus();
    if (!ShowImageChild(state_, canvas_, x, y)) return;
    ChildShown(x, y);
    update();
}

void Form1::MotherShown(double fak_before) {
    Recipe mother;
    mother.seed = static_cast<int>(state_.seed);
    pictures_.StartMother(mother);
    history_.Add({pictures_.Latest(), fak_before, state_.f});
    UpdatePanel();
    emit motherChanged(mother.seed);
}

void Form1::ChildShown(float x, float y) {
    pictures_.AddPress({x, y, static_cast<int>(state_.f)},
                       {static_cast<int>(state_.zamikx), static_cast<int>(state_.zamiky)});
    history_.UpdateCurrent(pictures_.Latest(), state_.f);
    UpdatePanel();
}

void Form1::UpdatePanel() {
    panel_->ShowRecipeText(QString::fromStdString(PrintRecipe(pictures_.Latest())));
    if (!seed_box_->hasFocus()) seed_box_->setText(QString::number(pictures_.Latest().seed));
    back_action_->setEnabled(history_.CanGoBack());
    forward_action_->setEnabled(history_.CanGoForward());
}

void Form1::ShowMessage(const QString& text) {
    panel_->ShowMessage(text);
}

void Form1::ShowVisit(const Visit& visit) {
    seedscape::ShowRecipe(visit.recipe, visit.fak, state_, random_, canvas_);
    pictures_.ShowAll(visit.recipe);
    if (state_.f != visit.f) {
        state_.f = visit.f;
        ShowMagnification(state_, canvas_);
    }
    UpdatePanel();
    emit motherChanged(visit.recipe.seed);
    update();
}

void Form1::GoBack() {
    if (history_.CanGoBack()) ShowVisit(history_.Back());
}

void Form1::GoForward() {
    if (history_.CanGoForward()) ShowVisit(history_.Forward());
}

bool Form1::GoToSeed(const QString& text) {
    const std::optional<long long> seed = ParseWholeNumber(text.trimmed().toStdString());
    if (!seed || *seed < 1 || *seed > 1000000) {
        seed_problem_->setText(tr("enter a whole number from 1 to 1000000"));
        seed_problem_->show();
        return false;
    }
    ShowSeedMother(static_cast<int>(*seed));
    return true;
}

void Form1::ShowSeedMother(int seed) {
    seed_problem_->hide();
    Recipe mother;
    mother.seed = seed;
    // As "new" does: the factor the last image left carries into the mother.
    const double fak_before = state_.fak;
    seedscape::ShowRecipe(mother, fak_before, state_, random_, canvas_);
    MotherShown(fak_before);
    update();
}

void Form1::SeedBoxEntered() {
    if (GoToSeed(seed_box_->text())) setFocus();
}

void Form1::ShowAsMother(const Recipe& recipe) {
    Recipe mother = OnScreen(recipe);
    mother.presses.clear();
    seedscape::ShowRecipe(mother, 0.0, state_, random_, canvas_);
    pictures_.StartMother(mother);
    history_.Add({mother, 0.0, state_.f});
    UpdatePanel();
    emit motherChanged(mother.seed);
    update();
}

bool Form1::ShowRecipeText(const QString& text) {
    const RecipeReading reading = ParseRecipe(text.toStdString());
    if (!reading.recipe) {
        ShowMessage(tr("Not a recipe: %1").arg(QString::fromStdString(reading.error)));
        return false;
    }
    // A fresh record's factor, 0, so that the window draws what every program
    // makes of the recipe.
    const Recipe recipe = OnScreen(*reading.recipe);
    seedscape::ShowRecipe(recipe, 0.0, state_, random_, canvas_);
    pictures_.ShowAll(recipe);
    history_.Add({recipe, 0.0, state_.f});
    UpdatePanel();
    emit motherChanged(recipe.seed);
    ShowMessage({});
    update();
    return true;
}

void Form1::ShowPicture(const Recipe& recipe) {
    // Through its text, as a paste: the same recipe on screen and the same
    // news.
    ShowRecipeText(QString::fromStdString(PrintRecipe(recipe)));
}

bool Form1::SaveImageTo(const QString& path) {
    const PictureWriting written =
        WritePicturePng(OnScreen(pictures_.Latest()), path.toStdString());
    const QString name = QFileInfo(path).fileName();
    ShowMessage(written.ok
                    ? tr("Saved %1").arg(name)
                    : tr("Could not save %1: %2").arg(name, QString::fromStdString(written.error)));
    return written.ok;
}

bool Form1::OpenImageFile(const QString& path) {
    const PngRecipeReading read = ReadPngRecipe(path.toStdString());
    if (!read.recipe) {
        ShowMessage(tr("Could not open it: %1").arg(QString::fromStdString(read.error)));
        return false;
    }
    if (!ShowRecipeText(QString::fromStdString(*read.recipe))) return false;
    ShowMessage(tr("Opened %1").arg(QFileInfo(path).fileName()));
    return true;
}

void Form1::AddToFavourites(const Recipe& recipe) {
    favourites_.Add(OnScreen(recipe));
    ShowMessage(tr("Added seed %1 to the favourites").arg(recipe.seed));
    ShowFavourites();
}

void Form1::OpenAtlas() {
    if (!atlas_) {
        atlas_ = new AtlasWindow(this, static_cast<int>(state_.seed));
        atlas_->SetFavourites(favourites_.favourites());
        connect(this, &Form1::motherChanged, atlas_, &AtlasWindow::FollowMother);
        connect(this, &Form1::favouritesChanged, atlas_, &AtlasWindow::SetFavourites);
        connect(atlas_, &AtlasWindow::seedChosen, this, &Form1::ShowSeedMother);
        connect(atlas_, &AtlasWindow::recipeChosen, this, &Form1::ShowPicture);
        connect(atlas_, &AtlasWindow::favouriteRequested, this, &Form1::AddToFavourites);
    }
    atlas_->show();
    atlas_->raise();
    atlas_->activateWindow();
}

void Form1::AddFavouriteClicked() {
    AddToFavourites(pictures_.Latest());
}

void Form1::ShowFavourites() {
    favourites_list_->Show(favourites_.favourites());
    if (const QString news = favourites_.TakeNews(); !news.isEmpty()) ShowMessage(news);
    emit favouritesChanged(favourites_.favourites());
}

void Form1::ZoomInClicked() {
    SetZoom(zoom_ + 1);
}

void Form1::ZoomOutClicked() {
    SetZoom(zoom_ - 1);
}

void Form1::FullScreenClicked() {
    if (isFullScreen()) {
        showNormal();
    } else {
        showFullScreen();
    }
}

void Form1::VariationsClicked() {
    if (variations_ == nullptr) {
        variations_ = new VariationsWindow(this);
        connect(variations_, &VariationsWindow::motherRequested, this, &Form1::ShowAsMother);
        connect(variations_, &VariationsWindow::favouriteRequested, this, &Form1::AddToFavourites);
    }
    variations_->Open(pictures_.Latest());
}

void Form1::StartExport(const Recipe& recipe, const QString& path) {
    if (export_job_) {
        ShowMessage(tr("An export is running; wait for it or cancel it first"));
        return;
    }
    export_job_ = std::make_unique<ExportJob>(recipe, path);
    connect(export_job_.get(), &ExportJob::progressed, panel_, &SidePanel::ShowExportProgress);
    connect(export_job_.get(), &ExportJob::finished, this, [this](bool, const QString& message) {
        panel_->HideExportProgress();
        ShowMessage(message);
        // The job's thread may still be returning from this signal: let it go
        // once control is back in the event loop.
        QMetaObject::invokeMethod(
            this, [this] { export_job_.reset(); }, Qt::QueuedConnection);
    });
    panel_->ShowExportProgress(0);
    ShowMessage(tr("Exporting %1").arg(QFileInfo(path).fileName()));
    export_job_->Start();
}

namespace {

QString SuggestedPath(const Recipe& recipe) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    QString name = QStringLiteral("seedscape-%1").arg(recipe.seed);
    if (!recipe.presses.empty()) name += QStringLiteral("-child%1").arg(recipe.presses.size());
    if (recipe.scale != 1) name += QStringLiteral("-%1x").arg(recipe.scale);
    return folder + QLatin1Char('/') + name + QStringLiteral(".png");
}

QString WithPngEnding(QString path) {
    if (!path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) path += QStringLiteral(".png");
    return path;
}

}  // namespace

void Form1::SaveImageClicked() {
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Save image"), SuggestedPath(pictures_.Latest()), tr("PNG images (*.png)"));
    if (!path.isEmpty()) SaveImageTo(WithPngEnding(path));
}

void Form1::ExportClicked() {
    std::vector<std::pair<QString, Recipe>> choices = {{tr("Latest picture"), pictures_.Latest()}};
    for (int place = 0; place < kGridPlaces; ++place) {
        if (const std::optional<Recipe> picture = pictures_.PictureAt(place)) {
            const QString name = place == 0 ? tr("Image mother")
                                            : tr("Child in row %1, column %2")
                                                  .arg(place / kGridColumns + 1)
                                                  .arg(place % kGridColumns + 1);
            choices.emplace_back(name, *picture);
        }
    }
    ExportDialog dialog(std::move(choices), this);
    if (dialog.exec() != QDialog::Accepted) return;
    const Recipe recipe = dialog.Chosen();
    const QString path = QFileDialog::getSaveFileName(this, tr("Export"), SuggestedPath(recipe),
                                                      tr("PNG images (*.png)"));
    if (!path.isEmpty()) StartExport(recipe, WithPngEnding(path));
}

void Form1::CopyRecipeClicked() {
    QGuiApplication::clipboard()->setText(QString::fromStdString(PrintRecipe(pictures_.Latest())));
    ShowMessage(tr("Copied the recipe"));
}

void Form1::PasteRecipeClicked() {
    ShowRecipeText(QGuiApplication::clipboard()->text());
}

void Form1::OpenClicked() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    const QString path =
        QFileDialog::getOpenFileName(this, tr("Open"), folder, tr("PNG images (*.png)"));
    if (!path.isEmpty()) OpenImageFile(path);
}

void Form1::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.front().isLocalFile()) event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.front().isLocalFile()) {
        OpenImageFile(urls.front().toLocalFile());
        event->acceptProposedAction();
    }
}

void Form1::mousePressEvent(QMouseEvent* event) {
    // Any button counts. At a zoom above 1 each canvas pixel is a block of
    // window pixels, and on a scaled display a press can fall between
    // logical pixels: a press belongs to the canvas pixel it lies in.
    const QPointF at = event->position() / zoom_;
    ImageMotherPressed(static_cast<float>(std::floor(at.x())),
                       static_cast<float>(std::floor(at.y())));
}

void Form1::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // On a scaled display or zoomed view each canvas pixel becomes a block
    // of screen pixels, never a blur.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.fillRect(event->rect(), kBackgroundColour);
    painter.scale(zoom_, zoom_);
    painter.drawImage(QPoint(0, 0), canvas_.image());
}

}  // namespace seedscape
