#pragma once

#include <cstdint>
#include <optional>

class QWidget;

// Lets the user choose a colour, starting from `initial` (a stored colour value); no value
// when cancelled.
class ColorChooser {
public:
    virtual ~ColorChooser() = default;
    virtual std::optional<std::int32_t> chooseColor(QWidget* parent, std::int32_t initial) = 0;
};

class QtColorChooser : public ColorChooser {
public:
    std::optional<std::int32_t> chooseColor(QWidget* parent, std::int32_t initial) override;
};
