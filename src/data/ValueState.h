#pragma once

// How a measured value stands: the meter writes placeholders instead of numbers
// for values it did not measure or that lay outside its range.
enum ValueState {
    Normal = 0,
    NotMeasured = 1,
    OverRange = 2,
    UnderRange = 3,
};
