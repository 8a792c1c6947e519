#pragma once

#include "chart/valueextremes.h"

#include <qcustomplot.h>
#include <vector>

// A line graph of readings at keys 0, 1, 2 ... whose adaptive sampling does
// not walk every reading on each replot. It draws exactly the points
// QCPGraph's own sampling gives: per pixel column the same first, smallest,
// largest and last reading, found through a block summary of the readings and
// a search for where each column ends.
class SampledGraph : public QCPGraph
{
    Q_OBJECT
  public:
    SampledGraph(QCPAxis* keyAxis, QCPAxis* valueAxis);

    // Replaces the points by the readings at keys 0, 1, 2 ... Give points only
    // this way: the summary that sampling reads is built here.
    void setReadings(std::vector<double> readings);
    const std::vector<double>& readings() const { return m_extremes.values(); }

  protected:
    void getOptimizedLineData(QVector<QCPGraphData>* lineData,
                              const QCPGraphDataContainer::const_iterator& begin,
                              const QCPGraphDataContainer::const_iterator& end) const override;

  private:
    using Point = QCPGraphDataContainer::const_iterator;

    bool samples(Point begin, Point end) const;
    void sampleColumns(QVector<QCPGraphData>& lineData, Point begin, Point end) const;

    ValueExtremes m_extremes;
};
