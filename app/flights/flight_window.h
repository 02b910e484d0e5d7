#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <QWidget>
#include <memory>
#include <optional>

#include "flight/flight.h"
#include "recipe/recipe.h"

namespace seedscape {

class FlightExportJob;
class FlightPlayer;
class ThumbnailRenderer;
struct ThumbnailJob;
struct Thumbnail;

// A window for one flight: its keys as thumbnails in order, each with its
// time, its easing and buttons to remove or move it; a player that plays the
// flight as the exporter draws it; and the flight's text passed through the
// clipboard, a flight file or a video seedscape wrote. The window knows
// nothing of the main window: the main window hands it keys.
class FlightWindow : public QWidget {
    Q_OBJECT

  public:
    // A window of its own that goes when `parent` goes.
    explicit FlightWindow(QWidget* parent = nullptr);
    // Shows the player's frames `zoom` times as large (1 to kLargestZoom),
    // as the main window shows its grid.
    void SetZoom(int zoom);
    // Cancels an export still running: nothing is left of it.
    ~FlightWindow() override;

    // Appends a picture as a key one second after the last (the first at 0).
    void AddKey(const Recipe& recipe);
    // The flight as the window holds it: a loop of the first key while Loop
    // is on.
    Flight CurrentFlight() const;
    QString FlightText() const;
    // Replaces the flight by the one `text` holds; false, with the reader's
    // reason shown, when it holds none, and nothing changes.
    bool ReplaceFlightText(const QString& text);
    // The same for a flight file, or for an MP4 or WebM seedscape wrote.
    bool OpenFlightFile(const QString& path);
    bool SaveFlightFile(const QString& path);
    // Starts writing the flight, at these settings, into a video in the
    // background; false, with the reason shown, when it cannot be.
    bool StartExport(const QString& path, int scale, int supersample, int fps);
    FlightExportJob* export_job() const { return export_.get(); }

    // Key edits, as the rows make them; a refused one shows why.
    void SetKeyTime(int key, double seconds);
    void SetKeyEasing(int key, Easing ease);
    void RemoveKey(int key);
    void MoveKey(int key, int by);
    void SetLoop(bool on, double seconds);

    FlightPlayer* player() const { return player_; }
    // The last news or refusal shown.
    QString message() const { return message_->text(); }
    // Whether key `key`'s thumbnail is drawn and shown.
    bool HasThumbnail(int key) const;

  signals:
    void keyThumbnailShown(int key);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void BuildActions();
    QWidget* BuildPlayer();
    QWidget* BuildExportRow();
    // After every change of the flight: the rows, the player, the slider.
    void FlightChanged();
    void ShowKeys();
    // The row of key `key`; `segment_kind` says how the segment ending there
    // goes.
    QWidget* KeyRow(int key, const QString& segment_kind);
    void AskThumbnails();
    void KeepThumbnail(const ThumbnailJob& job, const Thumbnail& thumbnail);
    void ShowPosition(qint64 frame, const QImage& image);
    void ShowMessage(const QString& text);
    void TogglePlay();
    void CopyFlight();
    void PasteFlight();
    void OpenFlight();
    void SaveFlight();
    void ExportVideo();
    void CancelExport();
    // Takes a flight read from anywhere as the window's.
    void TakeFlight(const Flight& flight);

    Flight flight_;                      // the keys, and the settings a file or an export gave
    QHash<QString, QImage> thumbnails_;  // by each key's recipe text
    QPushButton* play_;
    QCheckBox* loop_;
    QDoubleSpinBox* loop_seconds_;
    QLabel* screen_;
    QComboBox* zoom_box_;
    QSlider* slider_;
    QLabel* position_;
    QLabel* counts_;
    QWidget* keys_box_;
    QVBoxLayout* keys_layout_;
    QWidget* keys_rows_ = nullptr;
    QProgressBar* export_bar_;
    QPushButton* cancel_export_;
    QWidget* export_row_;
    QLabel* message_;
    QElapsedTimer export_clock_;
    FlightPlayer* player_;
    std::unique_ptr<FlightExportJob> export_;
    std::unique_ptr<ThumbnailRenderer> renderer_;  // last: stopped first
};

}  // namespace seedscape
