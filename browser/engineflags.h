// SPDX-License-Identifier: MIT
#pragma once

namespace browser {

// Lets pages that are never shown run at full speed. Chromium takes a page without a view for a
// background tab: it holds its timers back to once a second, after five minutes to once a
// minute, and lowers its process's priority, which would stretch the marketplace's script
// redirects to seconds. Showing the page would stop that, but would also have it laid out in
// pixels and painted for nobody. Adds Chromium's switches for it to whatever
// QTWEBENGINE_CHROMIUM_FLAGS holds; call before the QApplication is made.
void keepUnshownPagesAwake();

// Lets screen readers read the pages the user sees, the login page above all, which a seller must
// fill in. On Linux Qt WebEngine keeps pages from the accessibility bus unless told otherwise; it
// builds their accessible tree only while a screen reader is listening. Call before the
// QApplication is made.
void readPagesToScreenReaders();

} // namespace browser
