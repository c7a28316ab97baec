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

    // Text18_Change ... Text54_Change: the course par follows, the focus moves on.
    void Par_Change(int hole);

protected:
    QLineEdit* nameBox() const override { return CourseName; }
    void loadRow(const Record& row) override;
    void clearBoxes(bool adding) override;
    Result<Record> rowValues() override;
    Result<Saved> store(Connection& connection, registers::EditMode mode, qint64 key,
                        const Record& values, const Record& asRead) override;
    Result<Rows> listRows(Connection& connection) override;

public:
    void addTee_Click();
    void removeTee_Click();
    void teeHoles_Click(); // a women's tee's own pars and stroke indexes
    // The tees as typed, each read; fails naming the first that does not read.
    // COURSEPAR: the course's, for a tee without a par of its own.
    Result<QList<Tee>> teeValues(double coursePar) const;

private:
    std::array<QString, 18> parTexts() const;
    void addTeeRow(const Tee& tee);

    QLineEdit* CourseName;
    QLineEdit* CourseAdd1;
    QLineEdit* CourseAdd2;
    QLineEdit* CourseAdd3;
    QLineEdit* CourseTel;
    std::array<QLineEdit*, 18> par{};
    std::array<QLineEdit*, 18> si{};
    QLineEdit* Text56;
    CellTable* tees;
};

} // namespace parlog
