// The window's controls as plain data. Every front end (the Qt window, the batch command, the
// tests) reads and writes these values; the logic never touches a toolkit.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tolvanex {

// A colour as the window shows it.
struct Rgb {
  std::uint8_t Red = 0;
  std::uint8_t Green = 0;
  std::uint8_t Blue = 0;
  bool IsButtonFace = false;  // the system's button-face colour rather than a fixed one
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kButtonFace{0, 0, 0, true};
inline constexpr Rgb kStatusCream{255, 251, 240, false};

enum class ControlKind {
  Label,
  BorderedLabel,
  TextBox,
  Button,
  CheckBox,
  ComboBox,
  ListBox,
};

struct Label {
  std::string Caption;
};

struct BorderedLabel {
  std::string Caption;
  Rgb BackColor = kButtonFace;
};

struct TextBox {
  std::string Text;
};

struct Button {
  std::string Caption;
  bool Enabled = true;
  std::string ToolTip;  // what the button chooses or opens, for a button whose caption cannot say
};

// Check box states: 0 unticked, 1 ticked, 2 greyed. A box counts as set when its value is not 0.
struct CheckBox {
  std::string Caption;
  int Value = 0;
  bool IsSet() const { return Value != 0; }
};

// An editable drop-down box: the text the user sees or typed, and the offered items.
struct ComboBox {
  std::string Text;
  std::vector<std::string> Items;
};

}  // namespace tolvanex
