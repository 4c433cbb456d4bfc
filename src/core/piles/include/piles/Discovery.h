#pragma once
// Learning which plants are on the line, and what that means for their piles.

#include <QString>
#include <functional>

// With the poll paused: marks every plant absent, loads every plant's settings
// section, asks plants 1..PlantCount for their status (progress(n) after each), then
// applies the outcome (ApplyDiscovery), clears LearnRequest and restarts the poll.
// Without an open link only the tables are reset and the poll stays off. Plants
// whose settings name one data file are sorted out after the status reads; *notice
// gets the message (ReleaseSharedDataFiles).
void RunPlantDiscovery(const std::function<void(int plant)> &progress = {}, QString *notice = nullptr);

// The bookkeeping after the status reads: control mode (the plant's own fall-back
// from O2 regulation) is held as O2 regulation; a running pile without a data file
// name gets one; a plant present without a running pile keeps no file; a plant that
// did not answer keeps its file (PlantMissing); SelectedPlant becomes the first
// plant present (1 when none is).
void ApplyDiscovery();

// A plant whose settings hold a pile's file but that has not answered.
bool PlantMissing(int plant);

// Asks an address that is not present for its status (with the poll paused) and,
// when it answers, applies what discovery would have: true once it is present.
bool LearnPlant(int plant);

// Lets the poll's questions to absent addresses find plants missed at discovery:
// each answer is followed by LearnPlant (never inside another exchange), then
// learned(plant) so that windows can show it.
void FollowLateAnswers(const std::function<void(int plant)> &learned = {});
