#pragma once

class QAbstractButton;

// Alt and a button's underlined letter click it at once. Qt shows the button
// pressed for 100 ms before it clicks; at the counter that is a pause the
// operator feels on every search.
void ClickOnMnemonic(QAbstractButton* button);
