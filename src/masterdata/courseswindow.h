#pragma once

#include "masterdata/registerwindow.h"

#include "data/records.h"

#include <array>

namespace parlog {

class CellTable;

// Courses: the register of courses, with a par and a stroke index per hole, the course
// par, and the course's tees with their ratings.
class CoursesWindow : public RegisterWindow {
    Q_OBJECT
public:
    explicit CoursesWindow(Application& app);

    // A hole's par typed: the course par follows, the focus moves on.
    void parChanged(int hole);

protected:
    QLineEdit* nameBox() const override { return courseName; }
    void loadRow(const Record& row) override;
    void clearBoxes(bool adding) override;
    Result<Record> rowValues() override;
    Result<Saved> store(registers::EditMode mode, qint64 key, const Record& values,
                        const Record& asRead) override;

public:
    void addTee();
    void removeTee();
    void editTeeHoles(); // a women's tee's own pars and stroke indexes
    // The tees as typed, each read; fails naming the first that does not read.
    // COURSEPAR: the course's, for a tee without a par of its own.
    Result<QList<Tee>> teeValues(double coursePar) const;

private:
    std::array<QString, 18> parTexts() const;
    void addTeeRow(const Tee& tee);

    QLineEdit* courseName;
    QLineEdit* street;
    QLineEdit* town;
    QLineEdit* county;
    QLineEdit* telephone;
    std::array<QLineEdit*, 18> par{};
    std::array<QLineEdit*, 18> si{};
    QLineEdit* coursePar;
    CellTable* tees;
};

} // namespace parlog
