// Module Animations: every picture record of the scene, the animation counters and clock values,
// the property tables and the animation routines.
#pragma once

#include "runtime/array.h"
#include "runtime/checked.h"
#include "sprites/sprite.h"

// ---- Records, in the order the module declares them ----
inline Sprite PreviewSprite;
inline Sprite Palette;
inline Sprite Foreground;
inline Sprite Background;       // Choice is BackgroundChoice
inline Sprite Buffer;           // its ImageDC is BufferDC
inline Sprite CenterpieceSlot;  // only Choice (CenterpieceChoice) is used
inline Sprite Bather, EvilRelic, Lifeguard, Mermaid, ScubaDude, SwimDude, Treasure, Watch;
inline Sprite TigerShark, HammerHead, Manatee, Octopus, Orca, Shark, SwimMaid, Tuna, Whale, Dolphin;
inline rt::Array<Sprite, 3> Clams;
inline Sprite Crab;
inline rt::Array<Sprite, 6> EmperorFish;
inline rt::Array<Sprite, 4> RedFish;
inline Sprite SeaHorse;
inline rt::Array<Sprite, 5> SwimHorses;
inline rt::Array<Sprite, 5> YellowFish;
inline rt::Array<Sprite, 5> AngelFish;
// Kept as it always was: members 1 to 7; element 8 is never used.
inline rt::Array<Sprite, 8> BlueDevils;
inline Sprite Anchor;
inline Sprite JellyFish;
inline rt::Array<Sprite, 2> Bottles;
inline Sprite DiverHead, Eyes, MarinaSign, MofiaSnitch;
inline rt::Array<Sprite, 2> Pillars;
inline Sprite ScubaDiver, Worm;
inline rt::Array<Sprite, 50> BubblesRight;
inline rt::Array<Sprite, 50> BubblesLeft;
inline Sprite ScenePreview, PredatorPreview, FishPreview, OtherPreview;

// The back buffer into which every frame is composed.
inline win::HDC BufferDC() {
  return Buffer.ImageDC;
}

// ---- Animation counters and clock values ----
inline rt::Integer TickCount;
inline rt::Integer ShortTick;
inline float ClockHour, ClockMinute, ClockSecond, ClockHourFraction;
// Calls the worm has spent hanging still.
inline rt::Integer WormStillCount;

// ---- Property tables ----
void Properties_Fish();
void Properties_Predator();
void Properties_Other();
void Properties_Scenery();
void Properties_Preview();

// ---- Placement rules shared by the tables ----
rt::Integer RandomStartFrame(rt::Integer frames);
struct Position {
  rt::Long X;
  rt::Long Y;
};
Position RandomSwimPosition(rt::Integer width, rt::Integer height);
Position RandomDropPosition(rt::Integer width, rt::Integer height);
rt::Long CentreAnchoredX(double offset);

// ---- Animation routines ----
void Anim_Swim_RightOnly(Sprite& s);
void Anim_Swim_LeftOnly(Sprite& s);
void Anim_Swim_RightDown(Sprite& s);
void Anim_Swim_LeftUp(Sprite& s);
void Anim_Swim_RightUp(Sprite& s);
void Anim_Swim_Drop(Sprite& s, rt::Integer startTick);
void Anim_Still_Loop(Sprite& s);
void Anim_Still_Reverse(Sprite& s);
void Anim_Custom_redfish();
void Anim_Custom_Yellowfish();
void Anim_Custom_emperorfish();
void Anim_Custom_AngelFish();
void Anim_Custom_bluedevil();
void Anim_Custom_SwimHorse();
void Anim_Custom_Clam();
void Anim_Custom_Pillars();
void Anim_Custom_Eyes(Sprite& s);
void Anim_Custom_ScubaDude(Sprite& s);
void Anim_Custom_Treasure(Sprite& s);
void Anim_Custom_Anchor(Sprite& s);
void Anim_Custom_Crab(Sprite& s);
void Anim_Custom_DiverHead(Sprite& s);
void Anim_Custom_Worm(Sprite& s);
void Anim_Custom_Watch(Sprite& s);
void Anim_Custom_BubbleRight();
void Anim_Custom_BubbleLeft();

// ---- The settings dialog's preview routines ----
// The size of the dialog's preview pane (its ScaleWidth and ScaleHeight, in pixels), which the
// dialog hands over before every tick so that these routines need not know the dialog.
inline float PreviewPaneWidth = 0;
inline float PreviewPaneHeight = 0;
void Anim_Preview_DelayedReverse(Sprite& rec);
void Anim_Preview_School(Sprite& rec);
void Anim_Preview_Bubble();
