#pragma once

// The view for the benchmarks, on the tests' fake platform: every paint goes
// to a raster of the client area, the clipboard is empty, the colour dialog
// is always cancelled and the desktop stays silent. Nothing here is measured
// for itself.

#include "tests/support/FakePlatform.h"
#include "view/TintbarView.h"

#include <cstddef>
#include <filesystem>
#include <memory>

// A view built in an empty scratch directory, so that the start-up file it
// reads is never one lying where the benchmark happens to run.
class CBenchView {
public:
    CBenchView();
    ~CBenchView();
    CBenchView(const CBenchView&) = delete;
    CBenchView& operator=(const CBenchView&) = delete;

    CTintbarView& GetView() { return *m_view; }

private:
    CFakePlatform m_platform;
    std::filesystem::path m_scratch;
    std::unique_ptr<CTintbarView> m_view;
};
