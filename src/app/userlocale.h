#pragma once

// The decimal separator of the user's locale, as the chart reads numbers
// with it; a separator outside ASCII counts as a full stop.
char userDecimalSeparator();
