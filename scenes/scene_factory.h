#pragma once
// The screens by id, for the screen manager (app/scene_links.cpp hands it over).
#include <memory>

class cScene;

// Builds the screen of an id 0 to 5; null for any other id. Throws
// std::bad_alloc when memory runs out.
std::unique_ptr<cScene> CreateScene(int id);
