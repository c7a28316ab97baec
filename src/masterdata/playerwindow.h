#pragma once

#include "masterdata/registerwindow.h"

namespace parlog {

// player1: the register of players.
class PlayerWindow : public RegisterWindow {
    Q_OBJECT
public:
    explicit PlayerWindow(Application& app);

    void load() override;
    // The division names, in their own window, this one closed.
    void showDivisions();

protected:
    QLineEdit* nameBox() const override { return playerName; }
    void loadRow(const Record& row) override;
    void clearBoxes(bool adding) override;
    Result<Record> rowValues() override;
    bool readyToSave() override;
    void afterLoad() override;

private:
    QLineEdit* playerName;
    QLineEdit* membership;
    QLineEdit* handicap;
    QComboBox* division;
    QLineEdit* street;
    QLineEdit* town;
    QLineEdit* county;
    QLineEdit* postcode;
    QLineEdit* telephone;
    QLineEdit* mobile;
    QLineEdit* email;
    QPushButton* divisionsButton;
    QLabel* recordIndex;
};

} // namespace parlog
