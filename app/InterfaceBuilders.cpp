#include "app/InterfaceBuilders.h"

#include "app/AddCellTableViewCell.h"
#include "app/CalculateViewController.h"
#include "app/EnumeratedInputTableViewCell.h"
#include "app/HistoryTableViewController.h"
#include "app/KivoAdsViewController.h"
#include "app/LeftViewController.h"
#include "app/ManualViewController.h"
#include "app/RatingViewController.h"
#include "app/SolutionViewController.h"
#include "app/VideoCollectionTableViewCell.h"
#include "charts/ChartTableViewCell.h"

#include <mutex>

void InterfaceBuilders::registerAll() {
    static std::once_flag once;
    std::call_once(once, [] {
        CalculateViewController::registerStoryboardScene();
        SolutionViewController::registerStoryboardScene();
        LeftViewController::registerStoryboardScene();
        HistoryTableViewController::registerStoryboardScene();
        KivoAdsViewController::registerNib();
        RatingViewController::registerNib();
        EnumeratedInputTableViewCell::registerNib();
        AddCellTableViewCell::registerNib();
        VideoCollectionTableViewCell::registerNib();
        ManualViewController::registerNib();
        ChartTableViewCell::registerNib();
    });
}
