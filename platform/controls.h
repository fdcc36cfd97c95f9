#pragma once
// The window controls the program's windows are built from: panels that lay
// out their aligned children, speed buttons and bitmap buttons with glyphs and
// two-line captions, labels, pictures, scroll boxes, pop-up menus, the folder
// list, the (non-visual) file list and timers. Properties are plain getters
// and setters; events are std::function members that the window assigns.
//
// Every control takes a parent and a component name (its objectName), so a
// window keeps the given names as members:
//     SpeedButton12 = new platform::SpeedButton(Panel3, "SpeedButton12");
// A control created with a ScrollBox as parent goes into the box's scrolled
// content, positioned by its left()/top().
//
// Geometry set through the setters (setLeft ... setBounds) takes effect at
// once, also while the window is hidden: the parent realigns its aligned
// children and onResize runs before the setter returns.

#include "platform/align_layout.h"

#include <QColor>
#include <QFont>
#include <QMenu>
#include <QObject>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

class QAction;
class QKeyEvent;
class QListWidget;
class QScrollArea;
class QTimer;

namespace platform {

// What a mouse handler is told. rightHeld: the right button is among the
// buttons held at this moment (at a press this includes the pressed one).
struct MouseArgs {
    Qt::MouseButton button = Qt::NoButton;
    Qt::MouseButtons buttons;
    Qt::KeyboardModifiers modifiers;
    int x = 0; // in the control's own coordinates
    int y = 0;
    bool rightHeld = false;
};

enum class Bevel { None, Raised, Lowered };

// ---------------------------------------------------------------------------
// Base of every visual control: position, size, alignment, the own visible and
// enabled flags, caption, hint, tag, colours and the common events.
class Control : public QWidget {
    Q_OBJECT
public:
    // parent may be any widget; a ScrollBox parent means its content.
    explicit Control(QWidget* parent = nullptr, const QString& name = QString());
    ~Control() override;

    // ---- geometry (relative to the parent; realigns the parent) ----
    int left() const { return geometry().x(); }
    int top() const { return geometry().y(); }
    int width() const { return geometry().width(); }
    int height() const { return geometry().height(); }
    void setLeft(int v);
    void setTop(int v);
    void setWidth(int v);
    void setHeight(int v);
    void setBounds(int left, int top, int width, int height);
    void setBounds(const QRect& r);
    QRect boundsRect() const { return geometry(); }
    // Size of the area children are laid out in.
    virtual int clientWidth() const;
    virtual int clientHeight() const;
    // This control's rectangle in screen coordinates (pop-up positions).
    QRect screenRect() const;

    Align align() const { return align_; }
    void setAlign(Align a);

    // The control's own flag: true unless it was hidden itself, whatever
    // its ancestors are. (Overrides QWidget::setVisible, so hide()/show() agree.)
    bool visible() const { return visible_; }
    void setVisible(bool v) override;
    bool enabled() const; // own flag, not the ancestors'
    void setEnabled(bool v);

    // ---- plain properties ----
    QString caption() const { return caption_; }
    void setCaption(const QString& text);
    QString hint() const { return hint_; }   // tooltip
    void setHint(const QString& text);
    bool showHint() const { return showHint_; }
    void setShowHint(bool on);
    int tag() const { return tag_; }
    void setTag(int v) { tag_ = v; }
    // Background colour; an invalid colour (the default) lets the parent show through.
    QColor color() const { return color_; }
    void setColor(const QColor& c);
    // Text colour of the caption (black by default).
    QColor fontColor() const { return fontColor_; }
    void setFontColor(const QColor& c);

    // Lays out the aligned children again (normally automatic).
    void realign();

    // ---- events ----
    std::function<void(const MouseArgs&)> onMouseDown;
    std::function<void(const MouseArgs&)> onMouseUp;
    std::function<void()> onMouseEnter;
    std::function<void()> onMouseLeave;
    // Left button released inside the control (buttons: see their classes).
    std::function<void()> onClick;
    std::function<void()> onDblClick;
    std::function<void()> onResize;
    // A key pressed while the control has the focus, before any default
    // handling (Tab and arrows included); return true when handled.
    std::function<bool(QKeyEvent*)> onKeyDown;
    // A character key: the character code (space 32, Enter 13, Escape 27, Tab 9).
    std::function<void(int key)> onKeyPress;
    std::function<void()> onEnter; // got the keyboard focus
    std::function<void()> onExit;  // lost it

    // Creation order among siblings (the align layout's order).
    quint64 creationIndex() const { return creationIndex_; }
    // Sets the geometry without realigning the parent (the layout's own use).
    void applyBounds(const QRect& r);

protected:
    // The rectangle aligned children share (client area less the border).
    virtual QRect alignRect() const;
    // Called after the size changed: realigns children, then onResize.
    virtual void sizeChanged();
    // Called after the children were realigned (scroll extents).
    virtual void childrenRealigned() {}
    // Called after setCaption changed the caption.
    virtual void captionChanged() {}
    void realignParent();
    static MouseArgs mouseArgs(QMouseEvent* e);
    static int keyCode(QKeyEvent* e);

    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void fillBackground(QPainter& p);

private:
    friend void realignChildren(QWidget* container);
    void updateToolTip();

    Align align_ = Align::None;
    bool visible_ = true;
    bool showHint_ = true;
    int tag_ = 0;
    QString caption_;
    QString hint_;
    QColor color_;
    QColor fontColor_ = Qt::black;
    QSize lastSize_;
    quint64 creationIndex_ = 0;
    Qt::MouseButtons clickButtons_;
};

// Applies the align layout to the Control children of any widget.
void realignChildren(QWidget* container);
// Holds back the realigns of one container (a ScrollBox means its content)
// for as long as it lives: changes to many children cost one realign, made
// when the outermost batch for that container ends and only if one was asked.
// Meanwhile the aligned children of that container keep their old bounds.
class RealignBatch {
public:
    explicit RealignBatch(QWidget* container);
    ~RealignBatch();
    RealignBatch(const RealignBatch&) = delete;
    RealignBatch& operator=(const RealignBatch&) = delete;

private:
    QWidget* container_; // the key, also after the container is gone
    QPointer<QWidget> guard_;
};

// Makes a plain widget (a window's central widget) realign its Control
// children whenever it is resized.
void enableAlign(QWidget* container);

// ---------------------------------------------------------------------------
// Container with an optional centred caption, a background colour and a bevel.
class Panel : public Control {
    Q_OBJECT
public:
    explicit Panel(QWidget* parent = nullptr, const QString& name = QString());
    Bevel bevelOuter() const { return bevel_; }
    void setBevelOuter(Bevel b);
    // Caption alignment inside the panel (centred by default).
    Qt::Alignment captionAlignment() const { return captionAlignment_; }
    void setCaptionAlignment(Qt::Alignment a);

protected:
    QRect alignRect() const override;
    void paintEvent(QPaintEvent* e) override;

private:
    Bevel bevel_ = Bevel::None;
    Qt::Alignment captionAlignment_ = Qt::AlignCenter;
};

// ---------------------------------------------------------------------------
// Glyph position relative to the caption.
enum class GlyphLayout { Left, Right, Top, Bottom };

// The font, made smaller (down to 5 points) until the caption lines fit
// room: a caption is never cut off or drawn past its button.
QFont fitCaptionFont(QFont font, const QStringList& lines, const QSize& room);

// Shared part of SpeedButton and BitBtn: caption (a CR or LF starts a second
// line), glyph, and the right-button flag taken at the press.
class ButtonControl : public Control {
    Q_OBJECT
public:
    explicit ButtonControl(QWidget* parent = nullptr, const QString& name = QString());

    QPixmap glyph() const { return glyph_; }
    void setGlyph(const QPixmap& pixmap); // a picture without alpha: its bottom-left colour is transparent
    GlyphLayout layout() const { return layout_; }
    void setLayout(GlyphLayout l);
    int spacing() const { return spacing_; }
    void setSpacing(int px);
    // Whether the right button was held at the last press on this button.
    bool rightPressed() const { return rightPressed_; }
    // Runs the click (onClick), as a release of the left button would.
    virtual void click();
    bool isPressed() const { return pressed_; }
    // Ends a press whose release this button will not see (a pop-up menu
    // took the mouse): the button is drawn raised again.
    void endPress();

protected:
    void paintFace(QPainter& p, const QRect& r, bool sunken);
    void hideEvent(QHideEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    // Which released buttons count as a click.
    virtual bool clicksWith(Qt::MouseButton b) const { return b == Qt::LeftButton; }

    bool pressed_ = false;
    bool pressedInside_ = false;
    bool hovered_ = false;

private:
    QPixmap glyph_;
    GlyphLayout layout_ = GlyphLayout::Left;
    int spacing_ = 4;
    bool rightPressed_ = false;
    Qt::MouseButton pressButton_ = Qt::NoButton;
};

// A tool-bar button that never takes the keyboard focus. A release of the
// left button inside it is a click. A button with a right-button action
// turns on setRightButtonClicks: then a right release clicks too and the
// handler reads rightPressed() to choose. Order: onMouseDown at the press,
// then at the release onMouseUp and onClick.
class SpeedButton : public ButtonControl {
    Q_OBJECT
public:
    explicit SpeedButton(QWidget* parent = nullptr, const QString& name = QString());
    bool flat() const { return flat_; }
    void setFlat(bool on);
    // Buttons of one parent with the same group index > 0 are exclusive:
    // pressing one puts it down and the others up.
    int groupIndex() const { return groupIndex_; }
    void setGroupIndex(int g) { groupIndex_ = g; }
    bool down() const { return down_; }
    void setDown(bool d);
    bool rightButtonClicks() const { return rightButtonClicks_; }
    void setRightButtonClicks(bool on) { rightButtonClicks_ = on; }
    bool allowAllUp() const { return allowAllUp_; }
    void setAllowAllUp(bool on) { allowAllUp_ = on; }
    void click() override;

protected:
    bool clicksWith(Qt::MouseButton b) const override;
    void paintEvent(QPaintEvent* e) override;

private:
    bool flat_ = false;
    bool down_ = false;
    bool allowAllUp_ = false;
    int groupIndex_ = 0;
    bool rightButtonClicks_ = false;
};

// Modal results of buttons: mrOk closes a dialog as accepted, mrCancel as
// rejected; another value other than mrNone is passed to QDialog::done.
constexpr int mrNone = 0;
constexpr int mrOk = 1;
constexpr int mrCancel = 2;

// A push button with a glyph; takes the focus (Tab, arrows through onKeyDown).
// Space and Enter click it; onMouseDown sees every button, onClick the left
// one. A modal result other than mrNone closes the dialog it sits in.
class BitBtn : public ButtonControl {
    Q_OBJECT
public:
    explicit BitBtn(QWidget* parent = nullptr, const QString& name = QString());
    int modalResult() const { return modalResult_; }
    void setModalResult(int r) { modalResult_ = r; }
    void click() override;

protected:
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;

private:
    int modalResult_ = 0;
    bool spaceDown_ = false;
};

// ---------------------------------------------------------------------------
// Text. Transparent by default (no colour); font through QWidget::setFont.
class Label : public Control {
    Q_OBJECT
public:
    explicit Label(QWidget* parent = nullptr, const QString& name = QString());
    bool transparent() const { return transparent_; }
    void setTransparent(bool on);
    Qt::Alignment alignment() const { return alignment_; }
    void setAlignment(Qt::Alignment a);
    bool wordWrap() const { return wordWrap_; }
    void setWordWrap(bool on);
    // Width and height follow the caption and font.
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool on);

protected:
    void paintEvent(QPaintEvent* e) override;
    void changeEvent(QEvent* e) override;
    void captionChanged() override { fitToText(); }

private:
    void fitToText();
    bool transparent_ = true;
    bool wordWrap_ = false;
    bool autoSize_ = false;
    Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignTop;
};

// A picture. Stretch scales it to the control, Center centres it, AutoSize
// sizes the control to the picture.
class Image : public Control {
    Q_OBJECT
public:
    explicit Image(QWidget* parent = nullptr, const QString& name = QString());
    const QPixmap& picture() const { return picture_; }
    void setPicture(const QPixmap& p);
    // The picture to paint on in place; call QWidget::update() afterwards.
    QPixmap& canvas() { return picture_; }
    void clearPicture();
    bool stretch() const { return stretch_; }
    void setStretch(bool on);
    bool center() const { return center_; }
    void setCenter(bool on);
    // Keeps the aspect ratio when stretching.
    bool proportional() const { return proportional_; }
    void setProportional(bool on);
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool on);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QPixmap picture_;
    bool stretch_ = false;
    bool center_ = false;
    bool proportional_ = false;
    bool autoSize_ = false;
};

// ---------------------------------------------------------------------------
// A scrollable box. Children (created with the box as parent) live in its
// content and are placed by their left()/top(); the scroll range covers them.
class ScrollBox : public Control {
    Q_OBJECT
public:
    explicit ScrollBox(QWidget* parent = nullptr, const QString& name = QString());
    QWidget* content() const;
    QScrollArea* scrollArea() const { return area_; }
    int clientWidth() const override;  // visible part of the content
    int clientHeight() const override;
    int horzScrollPos() const;
    int vertScrollPos() const;
    void setHorzScrollPos(int v);
    void setVertScrollPos(int v);
    void scrollToTop();
    // Scrolls so that a child of the content is in view.
    void scrollInView(QWidget* child);
    // Recomputes the scroll range from the children (normally automatic).
    void updateRange();
    // The range covers at least this size from the origin, also where no
    // child lies yet (a column that makes only the children in view).
    void setMinimumRange(const QSize& size);

protected:
    void sizeChanged() override;

private:
    QScrollArea* area_ = nullptr;
    Control* content_ = nullptr;
    QSize minimumRange_;
};

// ---------------------------------------------------------------------------
// An item of a pop-up menu; the caption "-" makes a separator.
class MenuItem : public QObject {
    Q_OBJECT
public:
    MenuItem(QWidget* menuParent, const QString& name, const QString& caption, bool separator);
    ~MenuItem() override;

    QString caption() const;
    void setCaption(const QString& text);
    bool visible() const;
    void setVisible(bool v);
    bool enabled() const;
    void setEnabled(bool v);
    bool checked() const;
    void setChecked(bool v);
    QString hint() const;
    void setHint(const QString& text);
    int tag() const { return tag_; }
    void setTag(int v) { tag_ = v; }
    bool isSeparator() const { return separator_; }

    // Sub-items (this item then opens a sub-menu).
    MenuItem* add(const QString& name, const QString& caption);
    MenuItem* addSeparator(const QString& name = QString());
    int count() const { return items_.size(); }
    MenuItem* item(int i) const;
    MenuItem* find(const QString& name) const; // searches sub-items at any depth
    void clear();

    // Runs onClick as a choice from the menu would.
    void click();
    std::function<void()> onClick;

    QAction* action() const { return action_; }

private:
    QAction* action_ = nullptr;
    QPointer<QMenu> submenu_;
    QPointer<QWidget> menuParent_;
    QList<MenuItem*> items_;
    QString caption_;
    bool separator_ = false;
    int tag_ = 0;
};

// A pop-up menu of named items. popup() returns at once; the chosen item's
// onClick runs later from the event loop. In the seam's test mode nothing is
// shown: popup() only records the point.
class PopupMenu : public QObject {
    Q_OBJECT
public:
    explicit PopupMenu(QWidget* parent = nullptr, const QString& name = QString());
    ~PopupMenu() override;

    MenuItem* add(const QString& name, const QString& caption);
    MenuItem* addSeparator(const QString& name = QString());
    int count() const { return items_.size(); }
    MenuItem* item(int i) const;
    MenuItem* find(const QString& name) const; // at any depth
    void clear();

    void popup(const QPoint& screenPoint);
    bool isOpen() const;
    void close();
    // For tests and callers that check what was shown.
    int popupCount() const { return popupCount_; }
    QPoint lastPopupPoint() const { return lastPopupPoint_; }
    std::function<void()> onPopup; // before the menu shows

    QMenu* menu() const { return menu_; }

private:
    QPointer<QMenu> menu_;
    QList<MenuItem*> items_;
    int popupCount_ = 0;
    QPoint lastPopupPoint_;
};

// ---------------------------------------------------------------------------
// The folder list: the chain of folders from "/" down to the current folder,
// then the current folder's sub-folders. A click selects (onClick); a double
// click or openSelected() makes the selected folder current (onChange).
// It never changes the process's current directory.
class DirectoryListBox : public Control {
    Q_OBJECT
public:
    explicit DirectoryListBox(QWidget* parent = nullptr, const QString& name = QString());
    QString directory() const { return directory_; }
    void setDirectory(const QString& path); // onChange when it changed; nothing outside top()
    // The highest folder the list shows and opens ("" = the whole tree): the
    // list starts there, and a folder above or beside it is never opened.
    QString top() const { return top_; }
    void setTop(const QString& folder);
    void update(); // reads the folders again
    int count() const;
    int itemIndex() const;
    void setItemIndex(int i);
    QString itemPath(int i) const;
    QStringList items() const; // the shown names
    QString selectedPath() const; // "" when nothing is selected
    void openSelected();
    QListWidget* listWidget() const;
    std::function<void()> onChange;

protected:
    void sizeChanged() override;

private:
    // A list without room on screen (a closed pane) is read when it gets
    // room or is asked about, not before: reading it loads the folder icons.
    void fill();
    void fillNow() const;
    void fillIfStale() const;
    bool withinTop(const QString& folder) const;
    QListWidget* list_ = nullptr;
    QString directory_;
    QString top_;
    mutable QStringList paths_;
    mutable bool stale_ = false;
};

// A file list without a window: the files of directory matching mask, in the
// program's one sorted order (files::listFiles). Setting the directory or the
// mask to a new value reads the folder; update() reads it again.
class FileListBox : public QObject {
    Q_OBJECT
public:
    explicit FileListBox(QObject* parent = nullptr, const QString& name = QString());
    QString directory() const { return directory_; }
    void setDirectory(const QString& folder);
    QString mask() const { return mask_; }
    void setMask(const QString& mask);
    // The folder is read again when the list is next asked for (several
    // lists follow one folder, and most are not read after every change).
    void update();
    // The list of folder given as already read with this list's mask
    // elsewhere, so that it is not read a second time.
    void setListing(const QString& folder, const QStringList& names);
    const QStringList& items() const;
    int count() const { return items().size(); }
    QString item(int i) const; // "" out of range
    // Full path of item i.
    QString filePath(int i) const;
    int itemIndex() const;
    void setItemIndex(int i) { itemIndex_ = i; }

private:
    QString directory_;
    QString mask_ = QStringLiteral("*.*");
    mutable QStringList items_;
    mutable int itemIndex_ = -1;
    mutable bool stale_ = false;
};

// ---------------------------------------------------------------------------
// A window timer. Setting enabled to its current value does nothing; a new
// interval restarts a running timer; interval 0 never fires. onTimer is not
// entered again while it runs (a handler that processes events).
// A new timer has interval 1000 and is disabled: the window enables it once
// its handler is bound, so no tick reaches a half-built window.
class Timer : public QObject {
    Q_OBJECT
public:
    explicit Timer(QObject* parent = nullptr, const QString& name = QString());
    bool enabled() const { return enabled_; }
    void setEnabled(bool on);
    int interval() const { return interval_; }
    void setInterval(int ms);
    int tag() const { return tag_; }
    void setTag(int v) { tag_ = v; }
    // Whether a tick is scheduled (enabled and interval > 0).
    bool isActive() const;
    std::function<void()> onTimer;
    // Runs onTimer now, as a tick would (tests, callers that force a tick).
    void fire();

private:
    void restart();
    QTimer* timer_ = nullptr;
    bool enabled_ = false;
    bool inHandler_ = false;
    int interval_ = 1000;
    int tag_ = 0;
};

} // namespace platform
