#include "qmltypes.h"

#include "cooking/touchcookingsession.h"
#include "browse/dirmodel.h"
#include "browse/documentloader.h"
#include "browse/recipeshare.h"
#include "browse/scanneradapter.h"
#include "planning/mealplansession.h"
#include "planning/cookingjournal.h"
#include "pantry/pantrysession.h"
#include "search/recipesearch.h"
#include "shopping/shoppinglistsession.h"
#include "standardpaths.h"

#include <QQmlEngine>

void registerQmlTypes()
{
    qmlRegisterType<ScannerAdapter>("Saltrove", 1, 0, "Scanner");
    // The core scanner, as the adapter hands it to the core's searches.
    qmlRegisterAnonymousType<Scanner>("Saltrove", 1);
    qmlRegisterType<DocumentLoader>("Saltrove", 1, 0, "DocumentLoader");
    qmlRegisterType<TouchCookingSession>("Saltrove", 1, 0, "CookingSession");
    qmlRegisterType<DirModel>("Utils", 1, 0, "DirModel");
    qmlRegisterSingletonType("Utils", 1, 0, "StandardPaths", standardPathsProvider);
    qmlRegisterType<ShoppingListSession>("Saltrove", 1, 0, "ShoppingList");
    qmlRegisterType<RecipeSearch>("Saltrove", 1, 0, "RecipeSearch");
    qmlRegisterType<RecipeShare>("Saltrove", 1, 0, "RecipeShare");
    qmlRegisterType<MealPlanSession>("Saltrove", 1, 0, "MealPlan");
    qmlRegisterType<CookingJournal>("Saltrove", 1, 0, "CookingJournal");
    // The search's journal filter, as RecipeSearch hands it out.
    qmlRegisterAnonymousType<JournalFilter>("Saltrove", 1);
    qmlRegisterType<PantrySession>("Saltrove", 1, 0, "Pantry");
}
