// The drawing half of the menu engine and its frame loop: a text node per
// cell of the run's row table, the darkening pane, slide-in, flicker and
// fades, the mouse hit test and the two system cursors.
#include "Screens/Menu.h"
#include "3D/OGL_State.h"
#include "3D/OGL_Support.h"
#include "3D/TextMesh.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/Input.h"
#include "System/Objects.h"
#include "System/Random.h"
#include "System/Window.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace
{
	constexpr int TEXT_SLOT = 5100;
	constexpr int PANE_SLOT = 5099;
	constexpr float SLIDE_DISTANCE = 50;				// overlay units a row slides in from
	constexpr float HIT_MARGIN = 10;					// overlay units added left and right of hit boxes
	constexpr float LEFTOVER_FADE_RATE = 3.0f;			// alpha per second after an asynchronous close

	struct MenuNodes
	{
		ObjNodeRef cells[MAX_MENU_ROWS][MAX_MENU_COLUMNS];
		char shown[MAX_MENU_ROWS][MAX_MENU_COLUMNS][MENU_CELL_TEXT_BYTES];
		ObjNodeRef pane;
		uint32_t layoutCount = 0;
		float time = 0;
		float paneHeight = 0;
	};

	MenuNodes gNodes;

	void DrawPane(ObjNode* node)
	{
		OGL_PushState();
		OGL_Set2DOverlayState(true);
		glDisable(GL_TEXTURE_2D);
		glEnable(GL_BLEND);
		glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
		glColor4f(0, 0, 0, node->ColorFilter.a);
		const float w = g2DLogicalWidth * 0.5f, h = node->SpecialF[0] * 0.5f;
		glBegin(GL_QUADS);
		glVertex2f(-w, -h);
		glVertex2f(w, -h);
		glVertex2f(w, h);
		glVertex2f(-w, h);
		glEnd();
		glDisable(GL_BLEND);
		OGL_PopState();
	}

	// After an asynchronous close the texts and the pane fade on their own.
	void MoveLeftoverFade(ObjNode* node)
	{
		node->ColorFilter.a -= LEFTOVER_FADE_RATE * gFrameTime;
		if (node->ColorFilter.a < 0)
			DeleteObject(node);
	}

	float ColumnX(int column)
	{
		return gMenuRun.columnX[column];
	}

	int CellAlignment(int column)
	{
		(void)column;
		return gMenuRun.style.centered ? TEXTMESH_ALIGN_CENTER : TEXTMESH_ALIGN_LEFT;
	}

	void DeleteAllCells()
	{
		for (auto& row : gNodes.cells)
			for (ObjNodeRef& ref : row)
			{
				if (ObjNode* node = ref.Get())
					DeleteObject(node);
				ref.Clear();
			}
	}

	// Creates or re-lays the text node of one cell.
	void SyncCell(int r, int c)
	{
		const MenuRow& row = gMenuRun.rows[r];
		ObjNode* node = gNodes.cells[r][c].Get();
		if (!row.hasCell[c])
		{
			if (node)
				DeleteObject(node);
			gNodes.cells[r][c].Clear();
			return;
		}
		if (!node)
		{
			ObjectDef def = {};
			def.coord = {ColumnX(c), row.y, 0};
			def.slot = TEXT_SLOT;
			def.scale = MenuCellScale(row.cell[c], MenuRowScale(row), MenuRunCellRoom(r, c));
			node = TextMesh_New(row.cell[c], CellAlignment(c), &def);
			node->Special[0] = r;
			node->Special[1] = c;
			gNodes.cells[r][c] = ObjNodeRef(node);
			snprintf(gNodes.shown[r][c], MENU_CELL_TEXT_BYTES, "%s", row.cell[c]);
		}
		else if (strcmp(gNodes.shown[r][c], row.cell[c]) != 0)
		{
			TextMesh_Update(row.cell[c], CellAlignment(c), node);
			const float scale = MenuCellScale(row.cell[c], MenuRowScale(row), MenuRunCellRoom(r, c));
			node->Scale = {scale, scale, scale};
			UpdateObjectTransforms(node);
			snprintf(gNodes.shown[r][c], MENU_CELL_TEXT_BYTES, "%s", row.cell[c]);
		}
		// Wide enough for a comfortable mouse hit even on a short word.
		const float minHalf = gMenuRun.style.minHalfWidthForHits;
		if (minHalf > 0 && node->Scale.x > 0)
		{
			const float halfFontUnits = minHalf / node->Scale.x;
			node->LeftOff = std::min(node->LeftOff, int32_t(-halfFontUnits));
			node->RightOff = std::max(node->RightOff, int32_t(halfFontUnits));
		}
	}

	void SyncAllCells()
	{
		if (gNodes.layoutCount != gMenuRun.layoutCount)
		{
			DeleteAllCells();
			gNodes.layoutCount = gMenuRun.layoutCount;
		}
		for (int r = 0; r < MAX_MENU_ROWS; r++)
			for (int c = 0; c < MAX_MENU_COLUMNS; c++)
			{
				if (r < gMenuRun.numRows)
					SyncCell(r, c);
				else if (ObjNode* node = gNodes.cells[r][c].Get())
				{
					DeleteObject(node);
					gNodes.cells[r][c].Clear();
				}
			}
		gMenuRun.cellsDirty = false;
	}

	bool IsCapturingCell(int r, int c)
	{
		if (r != gMenuRun.selectedRow)
			return false;
		switch (gMenuRun.state)
		{
			case MENU_STATE_CAPTURE_KEY: return c == 1 + gMenuRun.keySlot;
			case MENU_STATE_CAPTURE_PAD: return c == 1 + gMenuRun.padSlot;
			case MENU_STATE_CAPTURE_MOUSE: return c == 1;
			default: return false;
		}
	}

	bool IsSelectedSlot(const MenuRow& row, int c)
	{
		switch (row.item->kind)
		{
			case MENU_ITEM_KEY_BINDING: return c == 0 || c == 1 + gMenuRun.keySlot;
			case MENU_ITEM_PAD_BINDING: return c == 0 || c == 1 + gMenuRun.padSlot;
			default: return true;
		}
	}

	// Colour, alpha and slide of every text for this frame.
	void StyleCells()
	{
		const MenuStyle& style = gMenuRun.style;
		for (int r = 0; r < gMenuRun.numRows; r++)
		{
			const MenuRow& row = gMenuRun.rows[r];
			for (int c = 0; c < MAX_MENU_COLUMNS; c++)
			{
				ObjNode* node = gNodes.cells[r][c].Get();
				if (!node)
					continue;
				OGLColorRGBA color = row.cellColor[c] == MENU_COLOR_TITLE ? style.titleColor
						: row.cellColor[c] == MENU_COLOR_LABEL ? style.labelColor : style.idleColor;
				if (IsCapturingCell(r, c))
				{
					color = {1, 1, 1, (std::sin(10.0f * gNodes.time) + 1.0f) * 0.5f};
				}
				else if (r == gMenuRun.selectedRow && IsSelectedSlot(row, c))
				{
					const float v = 0.7f + DrawRandomFloat() * 0.29f;
					color = {v, v, v, 1};
				}
				float alpha = color.a;
				float x = ColumnX(c);
				if (row.slideIn < 0)
				{
					node->StatusBits |= STATUS_BIT_HIDDEN;
				}
				else
				{
					node->StatusBits &= ~STATUS_BIT_HIDDEN;
					if (row.slideIn < 1)
					{
						alpha *= row.slideIn;
						const float t = 1.0f - row.slideIn;
						x -= t * t * SLIDE_DISTANCE;
					}
				}
				node->ColorFilter = {color.r, color.g, color.b, alpha * gMenuRun.fade};
				node->Coord.x = x;
				UpdateObjectTransforms(node);
			}
		}
		if (ObjNode* pane = gNodes.pane.Get())
		{
			pane->ColorFilter.a = gMenuRun.fade * style.paneAlpha;
			pane->SpecialF[0] = gMenuRun.paneHeight;
		}
	}

	// Window pixels to the centred overlay.
	bool MouseInOverlay(float* x, float* y)
	{
		if (!gWindow)
			return false;
		int mx = 0, my = 0, ww = 0, wh = 0;
		SDL_GetMouseState(&mx, &my);
		SDL_GetWindowSize(gWindow, &ww, &wh);
		if (ww <= 0 || wh <= 0)
			return false;
		*x = (float(mx) / float(ww) - 0.5f) * g2DLogicalWidth;
		*y = (float(my) / float(wh) - 0.5f) * LOGICAL_SCREEN_HEIGHT;
		return true;
	}

	SDL_Cursor* gArrowCursor = nullptr;
	SDL_Cursor* gHandCursor = nullptr;

	void NavigateSettingEntriesMouseHover()
	{
		float mx, my;
		if (!gMouseMovedThisUpdate || !MouseInOverlay(&mx, &my))
			return;
		gMenuRun.mouseHoverValidRow = false;
		gMenuRun.hoveredColumn = -1;
		for (int r = 0; r < gMenuRun.numRows && !gMenuRun.mouseHoverValidRow; r++)
		{
			if (!IsMenuItemSelectable(gMenuRun.rows[r].item->kind))
				continue;
			OGLRect all = {1e9f, -1e9f, 1e9f, -1e9f};
			int column = -1;
			bool any = false;
			for (int c = 0; c < MAX_MENU_COLUMNS; c++)
			{
				ObjNode* node = gNodes.cells[r][c].Get();
				if (!node)
					continue;
				const OGLRect box = TextMesh_GetExtents(node);
				any = true;
				all.top = std::min(all.top, box.top);
				all.bottom = std::max(all.bottom, box.bottom);
				all.left = std::min(all.left, box.left);
				all.right = std::max(all.right, box.right);
				if (mx >= box.left - HIT_MARGIN && mx <= box.right + HIT_MARGIN && my >= box.top && my <= box.bottom)
					column = c;
			}
			if (any && mx >= all.left - HIT_MARGIN && mx <= all.right + HIT_MARGIN && my >= all.top && my <= all.bottom)
			{
				gMenuRun.selectedRow = r;
				gMenuRun.mouseHoverValidRow = true;
				gMenuRun.hoveredColumn = column;
			}
		}
		if (gArrowCursor && gHandCursor)
			SDL_SetCursor(gMenuRun.mouseHoverValidRow ? gHandCursor : gArrowCursor);
	}

	void CloseNodes()
	{
		if (gMenuRun.style.asyncFadeOut)
		{
			for (auto& row : gNodes.cells)
				for (ObjNodeRef& ref : row)
					if (ObjNode* node = ref.Get())
						node->MoveCall = MoveLeftoverFade;
			if (ObjNode* pane = gNodes.pane.Get())
				pane->MoveCall = MoveLeftoverFade;
			for (auto& row : gNodes.cells)
				for (ObjNodeRef& ref : row)
					ref.Clear();
		}
		else
		{
			DeleteAllCells();
			if (ObjNode* pane = gNodes.pane.Get())
				DeleteObject(pane);
		}
		gNodes.pane.Clear();
	}
}

int StartMenu(const MenuItem* menu, const MenuStyle* style, MenuMoveRoutine moveRoutine, MenuDrawRoutine drawRoutine)
{
	const int cursorWasShown = SDL_ShowCursor(SDL_QUERY);
	gArrowCursor = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
	gHandCursor = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_HAND);
	SDL_ShowCursor(SDL_ENABLE);

	gNodes = MenuNodes{};
	BeginMenuRun(menu, style);

	if (gMenuRun.style.darkenPane)
	{
		ObjectDef def = {};
		def.genre = CUSTOM_GENRE;
		def.slot = PANE_SLOT;
		def.scale = 1;
		def.drawCall = DrawPane;
		def.flags = STATUS_BIT_DONTCULL;
		ObjNode* pane = MakeNewObject(&def);
		pane->SpecialF[0] = gMenuRun.style.paneHeight;
		pane->ColorFilter.a = 0;
		gNodes.pane = ObjNodeRef(pane);
	}

	while (gMenuRun.state != MENU_STATE_CLOSED)
	{
		UpdateInput();
		if (gMenuRun.style.isInteractive && gMenuRun.state == MENU_STATE_ACTIVE)
			NavigateSettingEntriesMouseHover();
		UpdateMenuRun(gFrameTime);
		gNodes.time += gFrameTime;

		SyncAllCells();
		StyleCells();

		MeasureFrameTime();
		MoveObjects();
		if (moveRoutine)
			moveRoutine();
		OGL_DrawScene(drawRoutine ? drawRoutine : DrawObjects);
	}

	CloseNodes();
	UpdateInput();
	FlushInputEvents();
	if (gArrowCursor)
		SDL_SetCursor(gArrowCursor);
	SDL_FreeCursor(gArrowCursor);
	SDL_FreeCursor(gHandCursor);
	gArrowCursor = gHandCursor = nullptr;
	SDL_ShowCursor(cursorWasShown);

	const int result = gMenuRun.result;
	gMenuRun.menu = nullptr;
	return result;
}
