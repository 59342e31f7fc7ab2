#pragma once
// The base of every control: the properties all controls share (caption, tooltip, visibility,
// enabled state, tab stop, focus, geometry in twips, style) and the containers that hold them.
//
// A control is the model of its widget. A front end watches it through onViewChange and feeds
// the user's actions back through the *ByUser entry points; the program's handlers are the
// on* callbacks. Events are raised synchronously, before the setter that caused them returns.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tk {

using Twips = float;

// Keys that type no character, delivered as key-downs.
enum class Key { Delete };

struct Geometry {
    Twips left = 0;
    Twips top = 0;
    Twips width = 0;
    Twips height = 0;
    bool operator==(const Geometry&) const = default;
};

enum class Kind {
    Button,
    CheckBox,
    OptionButton,
    ListBox,
    TextBox,
    VScrollBar,
    Label,
    Frame,
    Shape
};

// Colours as 0xRRGGBB.
struct Style {
    bool bold = false;
    std::optional<std::uint32_t> textColor;
    std::optional<std::uint32_t> fillColor;
    bool border = false;
    bool operator==(const Style&) const = default;
};

// What changed, for the front end. Item changes of a list carry the item's index.
enum class Property {
    Caption,
    Tooltip,
    Visible,
    Enabled,
    TabStop,
    Focus,
    Geometry,
    Style,
    Value,
    Selection,
    Range,
    ReadOnly,
    ItemAppended,
    ItemReplaced,
    ItemRemoved,
    // The control is going: a view must let go of it.
    Destroyed,
};

struct Change {
    Property property;
    int index = -1;
};

class Application;
class Control;
class Window;

// A window or a frame: something controls lie on. A hidden container hides what it holds.
class Container {
  public:
    // Its controls may outlive it (members declared before it in their window's class).
    virtual ~Container();
    virtual Window& window() = 0;
    // Whether the container can be seen: its own visibility and that of every container above.
    virtual bool shown() const = 0;
    const std::vector<Control*>& children() const { return children_; }

  private:
    friend class Control;
    std::vector<Control*> children_;
};

class Control {
  public:
    Control(Container& parent, Kind kind, Geometry geometry, std::string caption = {});
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Kind kind() const { return kind_; }
    Container& parent() { return parent_; }
    Window& window() { return window_; }
    Application& app();

    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);
    const std::string& tooltip() const { return tooltip_; }
    void setTooltip(std::string tooltip);

    bool visible() const { return visible_; }
    void setVisible(bool visible);
    // Visible and inside a shown container.
    bool shown() const;

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    bool tabStop() const { return tabStop_; }
    void setTabStop(bool tabStop);

    // Takes the keyboard focus. Fails, returning false, when the control is not shown or is
    // disabled, or when its window is not shown.
    bool setFocus();
    bool hasFocus() const;

    const Geometry& geometry() const { return geometry_; }
    void setGeometry(const Geometry& geometry);
    void setLeft(Twips left) { setGeometryPart(&Geometry::left, left); }
    void setTop(Twips top) { setGeometryPart(&Geometry::top, top); }
    void setWidth(Twips width) { setGeometryPart(&Geometry::width, width); }
    void setHeight(Twips height) { setGeometryPart(&Geometry::height, height); }

    const Style& style() const { return style_; }
    void setStyle(const Style& style);

    std::function<void(int keyAscii)> onKeyPress;
    std::function<void(Key key)> onKeyDown;
    std::function<void()> onGotFocus;

    // Front end entry points.
    void focusedByUser();
    std::function<void(const Change&)> onViewChange;

  protected:
    void notify(Property property, int index = -1);
    // Raises a program event: refuses after the end of the program, then runs the handler.
    void raise(const std::function<void()>& handler);

  private:
    friend class Window;
    void setGeometryPart(Twips Geometry::*part, Twips value);
    void gainFocus();

    friend class Container;
    Container& parent_;
    Window& window_;
    bool parentGone_ = false;
    Kind kind_;
    std::string caption_;
    std::string tooltip_;
    bool visible_ = true;
    bool enabled_ = true;
    bool tabStop_ = true;
    Geometry geometry_;
    Style style_;
};

}  // namespace tk
