#include "app/DesktopFm.h"

#include <cmath>

TDesktopFm::TDesktopFm(QWidget* parent) : TChildFm(parent), pnCenter(new QWidget(this)) {
    pnCenter->setObjectName(QStringLiteral("pnCenter"));
}

void TDesktopFm::resizeEvent(QResizeEvent* event) {
    TChildFm::resizeEvent(event);
    CentrePanel();
}

void TDesktopFm::showEvent(QShowEvent* event) {
    TChildFm::showEvent(event);
    CentrePanel();
}

void TDesktopFm::CentrePanel() {
    // A half pixel rounds to the even neighbour.
    const auto half = [](int free) { return int(std::nearbyint(free / 2.0)); };
    pnCenter->move(half(width() - pnCenter->width()), half(height() - pnCenter->height()));
}
