#pragma once

#include "masterdata/registerwindow.h"

namespace parlog {

// player1: the register of players.
class PlayerWindow : public RegisterWindow {
    Q_OBJECT
public:
    explicit PlayerWindow(Application& app);

    void form_load() override;
    void Command2_Click(); // Go: the division names

protected:
    QLineEdit* nameBox() const override { return Text1; }
    void loadRow(const Record& row) override;
    void clearBoxes(bool adding) override;
    Result<Record> rowValues() override;
    bool readyToSave(Connection& connection) override;
    void afterLoad(Connection& connection) override;

private:
    QLineEdit* Text1;
    QLineEdit* Text2;
    QLineEdit* text3;
    QComboBox* text4;
    QLineEdit* text5;
    QLineEdit* text6;
    QLineEdit* text7;
    QLineEdit* text8;
    QLineEdit* text9;
    QLineEdit* text10;
    QLineEdit* text11;
    QPushButton* Command2;
    QLabel* recordIndex;
};

} // namespace parlog
