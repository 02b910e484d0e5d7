#include "app/flights/flight_window.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QToolButton>
#include <algorithm>
#include <cmath>

#include "app/flights/flight_edits.h"
#include "app/flights/flight_export_dialog.h"
#include "app/flights/flight_export_job.h"
#include "app/flights/flight_player.h"
#include "app/shared/export_timing.h"
#include "app/shared/thumbnail_renderer.h"
#include "app/shared/tool_window.h"
#include "app/shared/zoom.h"
#include "flight/flight_file.h"
#include "flight/flight_frames.h"
#include "flight/flight_text.h"
#include "state/grid_geometry.h"
#include "video/video_format.h"
#include "video/video_probe.h"

namespace seedscape {

namespace {

// A key's thumbnail: a third of the picture's size.
const QSize kThumbnailSize(kImageWidth / 3, kImageHeight / 3);

QString RecipeKey(const Recipe& recipe) {
    return QString::fromStdString(PrintRecipe(recipe));
}

double Seconds(std::int64_t us) {
    return static_cast<double>(us) / kMicrosecondsPerSecond;
}

}  // namespace

FlightWindow::FlightWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("FlightWindow"));
    setWindowTitle(tr("Flight"));
    AddCloseKeys(this);
    player_ = new FlightPlayer(this);
    renderer_ = std::make_unique<ThumbnailRenderer>(nullptr, 1);
    connect(renderer_.get(), &ThumbnailRenderer::rendered, this, &FlightWindow::KeepThumbnail);

    auto* layout = new QVBoxLayout(this);
    auto* tools = new QHBoxLayout;
    layout->addLayout(tools);
    layout->addWidget(BuildPlayer());
    keys_box_ = new QWidget;
    keys_layout_ = new QVBoxLayout(keys_box_);
    keys_layout_->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setWidget(keys_box_);
    scroll->setMinimumHeight(kThumbnailSize.height() * 3);
    layout->addWidget(scroll, 1);
    layout->addWidget(BuildExportRow());
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("FlightMessage"));
    message_->setWordWrap(true);
    message_->setTextFormat(Qt::PlainText);
    layout->addWidget(message_);

    BuildActions();
    for (QAction* action : actions()) {
        if (action->objectName() == QStringLiteral("PlayFlight") ||
            action->objectName().startsWith(QStringLiteral("Jump")))
            continue;
        auto* button = new QToolButton(this);
        button->setDefaultAction(action);
        tools->addWidget(button);
    }
    tools->addStretch();
    FlightChanged();
}

FlightWindow::~FlightWindow() {
    export_.reset();  // cancels and waits: the temporary file goes
}

void FlightWindow::BuildActions() {
    const auto add = [this](const char* name, const QString& text, const QKeySequence& keys,
                            void (FlightWindow::*handler)()) {
        auto* action = new QAction(text, this);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        action->setToolTip(QStringLiteral("%1 (%2)").arg(
            QString(text).remove(QStringLiteral("...")), keys.toString(QKeySequence::NativeText)));
        connect(action, &QAction::triggered, this, handler);
        addAction(action);
    };
    add("CopyFlight", tr("Copy flight"), QKeySequence::Copy, &FlightWindow::CopyFlight);
    add("PasteFlight", tr("Paste flight"), QKeySequence::Paste, &FlightWindow::PasteFlight);
    add("OpenFlight", tr("Open..."), QKeySequence::Open, &FlightWindow::OpenFlight);
    add("SaveFlight", tr("Save flight..."), QKeySequence::Save, &FlightWindow::SaveFlight);
    add("ExportVideo", tr("Export video..."), QKeySequence(tr("Ctrl+Shift+E")),
        &FlightWindow::ExportVideo);
    add("PlayFlight", tr("Play"), QKeySequence(Qt::Key_Space), &FlightWindow::TogglePlay);
    auto* first = new QAction(this);
    first->setObjectName(QStringLiteral("JumpToFirst"));
    first->setShortcut(QKeySequence(Qt::Key_Home));
    connect(first, &QAction::triggered, this, [this] { player_->ShowFrame(0); });
    addAction(first);
    auto* last = new QAction(this);
    last->setObjectName(QStringLiteral("JumpToLast"));
    last->setShortcut(QKeySequence(Qt::Key_End));
    connect(last, &QAction::triggered, this, [this] { player_->ShowFrame(player_->count() - 1); });
    addAction(last);
}

QWidget* FlightWindow::BuildPlayer() {
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    screen_ = new QLabel(box);
    screen_->setObjectName(QStringLiteral("FlightScreen"));
    screen_->setFixedSize(kImageWidth, kImageHeight);
    screen_->setAlignment(Qt::AlignCenter);
    layout->addWidget(screen_, 0, Qt::AlignHCenter);

    auto* controls = new QHBoxLayout;
    play_ = new QPushButton(tr("Play"), box);
    play_->setObjectName(QStringLiteral("PlayButton"));
    play_->setToolTip(tr("Play or pause (Space)"));
    connect(play_, &QPushButton::clicked, this, &FlightWindow::TogglePlay);
    slider_ = new QSlider(Qt::Horizontal, box);
    slider_->setObjectName(QStringLiteral("FlightSlider"));
    connect(slider_, &QSlider::valueChanged, this,
            [this](int frame) { player_->ShowFrame(frame); });
    loop_ = new QCheckBox(tr("Loop"), box);
    loop_->setObjectName(QStringLiteral("LoopBox"));
    loop_->setToolTip(tr("A seamless drift loop of the first key instead of the flight"));
    loop_seconds_ = new QDoubleSpinBox(box);
    loop_seconds_->setObjectName(QStringLiteral("LoopSeconds"));
    loop_seconds_->setDecimals(kMostTimeDecimals);
    loop_seconds_->setRange(0, kLongestFlightSeconds);
    loop_seconds_->setValue(4);
    loop_seconds_->setSuffix(tr(" s"));
    loop_seconds_->setKeyboardTracking(false);
    connect(loop_, &QCheckBox::toggled, this, [this] { FlightChanged(); });
    connect(loop_seconds_, &QDoubleSpinBox::valueChanged, this, [this] {
        if (loop_->isChecked()) FlightChanged();
    });
    zoom_box_ = new QComboBox(box);
    zoom_box_->setObjectName(QStringLiteral("PlayerZoom"));
    zoom_box_->setToolTip(tr("The player's size: 1x, or as the main window is zoomed"));
    for (int zoom = 1; zoom <= kLargestZoom; ++zoom) {
        zoom_box_->addItem(QStringLiteral("%1x").arg(zoom), zoom);
    }
    connect(zoom_box_, &QComboBox::currentIndexChanged, this,
            [this](int index) { SetZoom(index + 1); });
    controls->addWidget(play_);
    controls->addWidget(slider_, 1);
    controls->addWidget(zoom_box_);
    controls->addWidget(loop_);
    controls->addWidget(loop_seconds_);
    layout->addLayout(controls);
    position_ = new QLabel(box);
    position_->setObjectName(QStringLiteral("FlightPosition"));
    counts_ = new QLabel(box);
    counts_->setObjectName(QStringLiteral("PlayerCounts"));
    layout->addWidget(position_);
    layout->addWidget(counts_);

    connect(player_, &FlightPlayer::frameShown, this, &FlightWindow::ShowPosition);
    connect(player_, &FlightPlayer::playingChanged, this, [this](bool playing) {
        play_->setText(playing ? tr("Pause") : tr("Play"));
        // The player's frames come before an export's.
        if (export_) export_->SetHeld(playing);
        if (playing) return;
        const FlightPlayer::Counts counts = player_->counts();
        counts_->setText(tr("Last play: %1 of %2 frames shown, the event loop late by "
                            "%3 ms at most")
                             .arg(counts.shown)
                             .arg(counts.due)
                             .arg(counts.longest_late_ms, 0, 'f', 1));
    });
    return box;
}

QWidget* FlightWindow::BuildExportRow() {
    export_row_ = new QWidget(this);
    auto* layout = new QHBoxLayout(export_row_);
    layout->setContentsMargins(0, 0, 0, 0);
    export_bar_ = new QProgressBar(export_row_);
    export_bar_->setObjectName(QStringLiteral("FlightExportProgress"));
    export_bar_->setRange(0, 1000);
    export_bar_->setTextVisible(true);
    cancel_export_ = new QPushButton(tr("Cancel"), export_row_);
    cancel_export_->setObjectName(QStringLiteral("CancelFlightExport"));
    connect(cancel_export_, &QPushButton::clicked, this, &FlightWindow::CancelExport);
    layout->addWidget(export_bar_, 1);
    layout->addWidget(cancel_export_);
    export_row_->hide();
    return export_row_;
}

void FlightWindow::AddKey(const Recipe& recipe) {
    if (const std::string problem = seedscape::AppendKey(flight_, recipe); !problem.empty()) {
        ShowMessage(tr("Could not add the key: %1").arg(QString::fromStdString(problem)));
        return;
    }
    ShowMessage(tr("Added key %1").arg(flight_.keys.size()));
    FlightChanged();
}

Flight FlightWindow::CurrentFlight() const {
    Flight flight = flight_;
    if (loop_->isChecked() && !flight.keys.empty()) {
        FlightKey key = flight.keys.front();
        key.ease = Easing::kLinear;
        flight.keys = {key};
        flight.loop_us = std::llround(loop_seconds_->value() * kMicrosecondsPerSecond);
    }
    return flight;
}

QString FlightWindow::FlightText() const {
    return QString::fromStdString(PrintFlight(CurrentFlight()));
}

void FlightWindow::TakeFlight(const Flight& flight) {
    {
        const QSignalBlocker block_loop(loop_);
        const QSignalBlocker block_seconds(loop_seconds_);
        loop_->setChecked(flight.loop_us.has_value());
        if (flight.loop_us) loop_seconds_->setValue(Seconds(*flight.loop_us));
    }
    flight_ = flight;
    flight_.loop_us.reset();
    FlightChanged();
}

bool FlightWindow::ReplaceFlightText(const QString& text) {
    const FlightReading reading = ParseFlight(text.toStdString());
    if (!reading.flight) {
        ShowMessage(tr("Not a flight: %1").arg(QString::fromStdString(reading.error)));
        return false;
    }
    TakeFlight(*reading.flight);
    ShowMessage(tr("Pasted a flight of %1 keys").arg(reading.flight->keys.size()));
    return true;
}

bool FlightWindow::OpenFlightFile(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    FlightReading reading;
    if (VideoFormatFromPath(path.toStdString())) {
        // Only the container's own data is read: the comment seedscape wrote.
        const VideoProbe probe = ProbeVideo(path.toStdString());
        if (!probe.error.empty()) {
            reading.error = probe.error;
        } else if (probe.comment.empty()) {
            reading.error = tr("%1 carries no flight").arg(name).toStdString();
        } else {
            reading = ParseFlight(probe.comment);
        }
    } else {
        reading = ReadFlightFile(path.toStdString());
    }
    if (!reading.flight) {
        ShowMessage(tr("Could not open %1: %2").arg(name, QString::fromStdString(reading.error)));
        return false;
    }
    TakeFlight(*reading.flight);
    ShowMessage(tr("Opened %1").arg(name));
    return true;
}

bool FlightWindow::SaveFlightFile(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const Flight flight = CurrentFlight();
    std::string problem =
        flight.keys.empty() ? tr("the flight has no keys").toStdString() : CheckFlight(flight);
    if (problem.empty()) problem = WriteFlightFile(path.toStdString(), flight);
    if (!problem.empty()) {
        ShowMessage(tr("Could not save %1: %2").arg(name, QString::fromStdString(problem)));
        return false;
    }
    ShowMessage(tr("Saved %1").arg(name));
    return true;
}

bool FlightWindow::StartExport(const QString& path, int scale, int supersample, int fps) {
    if (export_) {
        ShowMessage(tr("A video is being exported; wait for it or cancel it first"));
        return false;
    }
    Flight flight = CurrentFlight();
    flight.scale = scale;
    flight.supersample = supersample;
    flight.fps = fps;
    QString problem =
        flight.keys.empty() ? tr("the flight has no keys") : FlightExportProblem(flight, path);
    if (!problem.isEmpty()) {
        ShowMessage(tr("Could not export: %1").arg(problem));
        return false;
    }
    // The settings stay with the flight, for its file and the next export.
    flight_.scale = scale;
    flight_.supersample = supersample;
    flight_.fps = fps;
    const std::optional<VideoFormat> format =
        IsFramesFolder(path) ? std::nullopt : VideoFormatFromPath(path.toStdString());
    export_ = std::make_unique<FlightExportJob>(flight, path, format);
    connect(export_.get(), &FlightExportJob::progressed, this, [this](double done, qint64 frames) {
        const double share = done / static_cast<double>(frames);
        export_bar_->setValue(static_cast<int>(share * 1000));
        export_bar_->setFormat(ProgressText(share, export_clock_.elapsed() / 1000.0));
    });
    connect(export_.get(), &FlightExportJob::finished, this, [this](bool, const QString& message) {
        export_row_->hide();
        ShowMessage(message);
        // The job's thread may still be returning from this signal.
        QMetaObject::invokeMethod(
            this, [this] { export_.reset(); }, Qt::QueuedConnection);
    });
    export_bar_->setValue(0);
    export_bar_->setFormat(ProgressText(0, 0));
    export_row_->show();
    export_clock_.start();
    ShowMessage(tr("Exporting %1").arg(QFileInfo(path).fileName()));
    FlightChanged();
    export_->Start();
    return true;
}

void FlightWindow::CancelExport() {
    if (export_) export_->Cancel();
}

void FlightWindow::closeEvent(QCloseEvent* event) {
    player_->Pause();
    if (export_) {
        export_.reset();  // cancels and waits: nothing is left of it
        export_row_->hide();
        ShowMessage(tr("Export cancelled; nothing was written"));
    }
    QWidget::closeEvent(event);
}

void FlightWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) OpenBeside(this, parentWidget());
}

void FlightWindow::SetKeyTime(int key, double seconds) {
    const std::int64_t time_us = NearestFrameTimeUs(seconds, flight_.fps);
    const std::string problem =
        seedscape::SetKeyTime(flight_, static_cast<std::size_t>(key), time_us);
    if (!problem.empty()) ShowMessage(QString::fromStdString(problem));
    FlightChanged();
}

void FlightWindow::SetKeyEasing(int key, Easing ease) {
    const std::string problem =
        seedscape::SetKeyEasing(flight_, static_cast<std::size_t>(key), ease);
    if (!problem.empty()) ShowMessage(QString::fromStdString(problem));
    FlightChanged();
}

void FlightWindow::RemoveKey(int key) {
    seedscape::RemoveKey(flight_, static_cast<std::size_t>(key));
    FlightChanged();
}

void FlightWindow::MoveKey(int key, int by) {
    const int upper = by < 0 ? key - 1 : key;
    if (upper < 0 || upper + 1 >= static_cast<int>(flight_.keys.size())) return;
    const std::string problem = SwapWithNext(flight_, static_cast<std::size_t>(upper));
    if (!problem.empty()) ShowMessage(QString::fromStdString(problem));
    FlightChanged();
}

void FlightWindow::SetLoop(bool on, double seconds) {
    {
        const QSignalBlocker block_loop(loop_);
        const QSignalBlocker block_seconds(loop_seconds_);
        loop_->setChecked(on);
        loop_seconds_->setValue(seconds);
    }
    FlightChanged();
}

bool FlightWindow::HasThumbnail(int key) const {
    return key >= 0 && key < static_cast<int>(flight_.keys.size()) &&
           thumbnails_.contains(RecipeKey(flight_.keys[static_cast<std::size_t>(key)].recipe));
}

void FlightWindow::FlightChanged() {
    ShowKeys();
    AskThumbnails();
    const Flight flight = CurrentFlight();
    const std::string problem = flight.keys.empty() ? std::string() : CheckFlight(flight);
    if (!problem.empty()) ShowMessage(QString::fromStdString(problem));
    const bool plays = !flight.keys.empty() && problem.empty();
    player_->SetFlight(plays ? std::optional<Flight>(flight) : std::nullopt);
    const QSignalBlocker block(slider_);
    slider_->setRange(0, static_cast<int>(std::max<std::int64_t>(player_->count() - 1, 0)));
    slider_->setValue(0);
    play_->setEnabled(plays);
    if (!plays) {
        screen_->clear();
        position_->setText(flight.keys.empty() ? tr("No keys yet: Add key (Ctrl+K) in the main "
                                                    "window appends the latest picture")
                                               : QString());
    }
}

void FlightWindow::ShowKeys() {
    // The old rows may be sending the signal that brought us here.
    // Taken out of the window at once, so that only the rows shown are
    // found in it.
    if (keys_rows_ != nullptr) {
        keys_rows_->hide();
        keys_rows_->setParent(nullptr);
        keys_rows_->deleteLater();
    }
    keys_rows_ = new QWidget(keys_box_);
    auto* rows = new QVBoxLayout(keys_rows_);
    rows->setContentsMargins(0, 0, 0, 0);
    // Built once for the segments' kinds: it reads each key's view, drawing
    // nothing.
    std::optional<FlightFrames> frames;
    if (flight_.keys.size() > 1) frames.emplace(flight_);
    for (int key = 0; key < static_cast<int>(flight_.keys.size()); ++key) {
        QString segment;
        if (key > 0) {
            segment = SegmentCrossfades(*frames, static_cast<std::size_t>(key))
                          ? tr("crossfade: another family")
                          : tr("move");
        }
        rows->addWidget(KeyRow(key, segment));
    }
    rows->addStretch();
    keys_layout_->addWidget(keys_rows_);
}

QWidget* FlightWindow::KeyRow(int key, const QString& segment_kind) {
    const FlightKey& shown = flight_.keys[static_cast<std::size_t>(key)];
    auto* row = new QWidget;
    row->setObjectName(QStringLiteral("Key%1").arg(key));
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(2, 2, 2, 2);

    auto* thumbnail = new QLabel(row);
    thumbnail->setObjectName(QStringLiteral("KeyThumbnail"));
    thumbnail->setFixedSize(kThumbnailSize);
    if (const auto found = thumbnails_.constFind(RecipeKey(shown.recipe));
        found != thumbnails_.constEnd()) {
        thumbnail->setPixmap(QPixmap::fromImage(*found));
    }
    thumbnail->setToolTip(RecipeKey(shown.recipe));
    layout->addWidget(thumbnail);

    auto* time = new QDoubleSpinBox(row);
    time->setObjectName(QStringLiteral("KeyTime"));
    time->setDecimals(kMostTimeDecimals);
    time->setRange(0, kLongestFlightSeconds);
    time->setSingleStep(Seconds(FrameStepUs(flight_.fps)));
    time->setSuffix(tr(" s"));
    time->setValue(Seconds(shown.time_us));
    time->setKeyboardTracking(false);
    time->setEnabled(key > 0);  // the first key is the start
    time->setToolTip(
        tr("When the key is shown; times fall on frames at %1 frames a second").arg(flight_.fps));
    connect(time, &QDoubleSpinBox::valueChanged, this,
            [this, key](double seconds) { SetKeyTime(key, seconds); });
    layout->addWidget(time);

    auto* ease = new QComboBox(row);
    ease->setObjectName(QStringLiteral("KeyEasing"));
    ease->addItems({tr("linear"), tr("smooth")});
    ease->setCurrentIndex(shown.ease == Easing::kSmooth ? 1 : 0);
    ease->setEnabled(key > 0);  // it eases the segment that ends here
    connect(ease, &QComboBox::activated, this, [this, key](int index) {
        SetKeyEasing(key, index == 1 ? Easing::kSmooth : Easing::kLinear);
    });
    layout->addWidget(ease);

    auto* segment = new QLabel(segment_kind, row);
    segment->setObjectName(QStringLiteral("KeySegment"));
    layout->addWidget(segment, 1);

    const auto button = [this, row, layout](const QString& text, const QString& tip,
                                            std::function<void()> act) {
        auto* pressed = new QToolButton(row);
        pressed->setText(text);
        pressed->setToolTip(tip);
        connect(pressed, &QToolButton::clicked, this, std::move(act));
        layout->addWidget(pressed);
        return pressed;
    };
    button(QStringLiteral("\u2191"), tr("Move up"), [this, key] {
        MoveKey(key, -1);
    })->setEnabled(key > 0);
    button(QStringLiteral("\u2193"), tr("Move down"), [this, key] {
        MoveKey(key, 1);
    })->setEnabled(key + 1 < static_cast<int>(flight_.keys.size()));
    button(QStringLiteral("\u2715"), tr("Remove"), [this, key] { RemoveKey(key); });
    return row;
}

void FlightWindow::AskThumbnails() {
    std::vector<ThumbnailJob> jobs;
    QSet<QString> asked;
    for (const FlightKey& key : flight_.keys) {
        const QString name = RecipeKey(key.recipe);
        if (thumbnails_.contains(name) || asked.contains(name)) continue;
        asked.insert(name);
        jobs.push_back({name, key.recipe});
    }
    renderer_->SetWanted(std::move(jobs), kThumbnailSize);
}

void FlightWindow::KeepThumbnail(const ThumbnailJob& job, const Thumbnail& thumbnail) {
    thumbnails_.insert(job.key, thumbnail.shown);
    // Into the rows as they stand: a time being typed keeps its focus.
    for (int key = 0; key < static_cast<int>(flight_.keys.size()); ++key) {
        if (RecipeKey(flight_.keys[static_cast<std::size_t>(key)].recipe) != job.key) continue;
        auto* row = keys_rows_->findChild<QWidget*>(QStringLiteral("Key%1").arg(key));
        if (row == nullptr) continue;
        row->findChild<QLabel*>(QStringLiteral("KeyThumbnail"))
            ->setPixmap(QPixmap::fromImage(thumbnail.shown));
        emit keyThumbnailShown(key);
    }
}

void FlightWindow::SetZoom(int zoom) {
    zoom = std::clamp(zoom, 1, kLargestZoom);
    const QSignalBlocker block(zoom_box_);
    zoom_box_->setCurrentIndex(zoom - 1);
    screen_->setFixedSize(kImageWidth * zoom, kImageHeight * zoom);
    player_->ShowFrame(player_->frame());
}

void FlightWindow::ShowPosition(qint64 frame, const QImage& image) {
    // Each pixel becomes a square of the zoom's side, as the grid draws it.
    const int zoom = zoom_box_->currentIndex() + 1;
    screen_->setPixmap(QPixmap::fromImage(
        zoom == 1
            ? image
            : image.scaled(image.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation)));
    const QSignalBlocker block(slider_);
    slider_->setValue(static_cast<int>(frame));
    const int fps = player_->fps();
    position_->setText(tr("frame %1 of %2, %3 s")
                           .arg(frame + 1)
                           .arg(player_->count())
                           .arg(static_cast<double>(frame) / fps, 0, 'f', 3));
}

void FlightWindow::ShowMessage(const QString& text) {
    message_->setText(text);
}

void FlightWindow::TogglePlay() {
    if (player_->playing()) {
        player_->Pause();
    } else {
        player_->Play();
    }
}

void FlightWindow::CopyFlight() {
    if (flight_.keys.empty()) {
        ShowMessage(tr("No keys to copy"));
        return;
    }
    QGuiApplication::clipboard()->setText(FlightText());
    ShowMessage(tr("Copied the flight"));
}

void FlightWindow::PasteFlight() {
    ReplaceFlightText(QGuiApplication::clipboard()->text());
}

void FlightWindow::OpenFlight() {
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Open a flight"), {},
        tr("Flights and seedscape videos (*.flight *.txt *.mp4 *.webm);;All files (*)"));
    if (!path.isEmpty()) OpenFlightFile(path);
}

void FlightWindow::SaveFlight() {
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Save flight"), QStringLiteral("flight.flight"), tr("Flights (*.flight)"));
    if (!path.isEmpty()) SaveFlightFile(path);
}

void FlightWindow::ExportVideo() {
    if (const auto choice = AskFlightExport(this, CurrentFlight())) {
        StartExport(choice->path, choice->scale, choice->supersample, choice->fps);
    }
}

}  // namespace seedscape
