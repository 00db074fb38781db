// The gallery window: every skinned control in its states inside a Skin frame (title bar,
// menu band drawn by VsMenu, status panels), with menus to switch skins and tint colours.
#pragma once

#include <QList>
#include <QWidget>

#include "ui/core/skinobject.h"

class QMenu;
class QMenuBar;
class QActionGroup;

namespace kui {
class Back;
class Cmd;
class Frame;
class Progress;
class Skin;
class VsMenu;
class vTab;
}  // namespace kui

namespace gallery {

class GalleryWindow : public QWidget {
    Q_OBJECT

  public:
    explicit GalleryWindow(QWidget* parent = nullptr);
    ~GalleryWindow() override;

    QMenuBar* menuBar() const { return m_menuBar; }
    QMenu* fileMenu() const { return m_fileMenu; }
    kui::Skin* skin() const { return m_skin; }
    // Frame picture and control colours of built-in skin `index` (0 or 1).
    void applyScheme(int index);
    void applyAdjustment(double red, double green, double blue);
    // Skin `index` of the skin engine plugin, when one was found.
    void applyEngineSkin(int index);
    int engineSkinCount() const { return m_engine.SkinCount(); }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void buildMenus();
    void buildButtons(QWidget* client);
    void buildProgress(QWidget* client);
    void buildTabs(QWidget* client);
    QWidget* buildPanelsPage(QWidget* parent);
    QWidget* buildTextPage(QWidget* parent, const QString& caption, const QString& text);
    void showPage(int index);
    void setProgress(long value);

    QMenuBar* m_menuBar = nullptr;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_dropMenu = nullptr;
    QMenu* m_moreMenu = nullptr;
    kui::VsMenu* m_vsMenu = nullptr;
    kui::Back* m_background = nullptr;
    kui::Frame* m_progressFrame = nullptr;
    kui::Progress* m_progress = nullptr;
    kui::vTab* m_tabs = nullptr;
    QList<QWidget*> m_pages;
    kui::Skin* m_skin = nullptr;
    kui::SkinEngine m_engine;
    QList<QAction*> m_schemeActions;
    int m_scheme = 0;
    double m_adjust[3] = {0, 0, 0};
};

}  // namespace gallery
